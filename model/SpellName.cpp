#include "model/SpellName.h"

#include "model/AddressSanitizer.h"

#include <array>
#include <limits>
#include <memory>
#include <new>
#include <stdexcept>
#include <vector>

namespace {

// Names are carved out of stores, except under the address sanitizer.
constexpr bool PoolNames = !UnderAddressSanitizer;

constexpr size_t Header = sizeof(uint32_t);
// Blocks are made in steps of SlotStep bytes up to LargestSlot; a longer name
// has a block of its own from the allocator.
constexpr size_t SlotStep = 8;
static_assert(SlotStep >= sizeof(char*), "a released block holds the next one's address");
constexpr size_t LargestSlot = 128;

size_t BlockBytes(size_t length) {
    return Header + length + 1;
}

size_t SlotClass(size_t blockBytes) {
    return (blockBytes + SlotStep - 1) / SlotStep - 1;
}

// The blocks of one size: carved in order out of stores that grow from 1 to
// 64 KiB, and released blocks handed out again first. With no
// block of the size left in use, the stores are carved again from the first,
// so that names made one after the other lie side by side.
class tSlotPool {
public:
    char* New(size_t slotBytes) {
        ++FLive;
        if (FReleased) {
            char* slot = FReleased;
            std::memcpy(&FReleased, slot, sizeof FReleased);
#if defined(__GNUC__)
            // The next one handed out is asked for now, so that taking it
            // does not wait on memory.
            __builtin_prefetch(FReleased, 1);
#endif
            return slot;
        }
        if (FStore == FStores.size() || FUsed + slotBytes > StoreBytes(FStore)) {
            if (FStore < FStores.size()) {
                ++FStore;
            }
            if (FStore == FStores.size()) {
                FStores.push_back(
                    std::make_unique<std::max_align_t[]>(StoreBytes(FStore) / sizeof(std::max_align_t)));
            }
            FUsed = 0;
        }
        char* slot = reinterpret_cast<char*>(FStores[FStore].get()) + FUsed;
        FUsed += slotBytes;
        return slot;
    }

    void Release(char* slot) noexcept {
        if (--FLive == 0) {
            FReleased = nullptr;
            FStore = 0;
            FUsed = 0;
            return;
        }
        std::memcpy(slot, &FReleased, sizeof FReleased);
        FReleased = slot;
    }

private:
    static size_t StoreBytes(size_t store) {
        return size_t{1024} << std::min<size_t>(store, 6);
    }

    std::vector<std::unique_ptr<std::max_align_t[]>> FStores;
    size_t FStore = 0; // the store blocks are carved from
    size_t FUsed = 0;  // bytes of it carved
    // Released blocks, handed out again last first, chained through their
    // first bytes (every block has at least eight, at a multiple of eight):
    // releasing writes only the block just read for its length.
    char* FReleased = nullptr;
    size_t FLive = 0;
};

// Never destroyed: names held by objects destroyed at the program's end are
// still released safely.
std::array<tSlotPool, LargestSlot / SlotStep>& Pools() {
    static auto* pools = new std::array<tSlotPool, LargestSlot / SlotStep>;
    return *pools;
}

} // namespace

char* tSpellName::Store(std::string_view text) {
    if (text.empty()) {
        return nullptr;
    }
    if (text.size() > std::numeric_limits<uint32_t>::max() - BlockBytes(0)) {
        throw std::length_error("spell name too long");
    }
    const size_t bytes = BlockBytes(text.size());
    char* block = PoolNames && bytes <= LargestSlot
                      ? Pools()[SlotClass(bytes)].New((SlotClass(bytes) + 1) * SlotStep)
                      : static_cast<char*>(::operator new(bytes));
    const auto length = static_cast<uint32_t>(text.size());
    std::memcpy(block, &length, Header);
    std::memcpy(block + Header, text.data(), text.size());
    block[Header + text.size()] = '\0';
    return block;
}

void tSpellName::Release(char* block) noexcept {
    if (!block) {
        return;
    }
    uint32_t length = 0;
    std::memcpy(&length, block, Header);
    const size_t bytes = BlockBytes(length);
    if (PoolNames && bytes <= LargestSlot) {
        Pools()[SlotClass(bytes)].Release(block);
    } else {
        ::operator delete(block);
    }
}
