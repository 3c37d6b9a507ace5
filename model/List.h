#pragma once
// The list every collection of the program is built on: a doubly linked list of
// nodes between two sentinels with one built-in cursor. Callers never index into
// a list; they move the cursor (First, Next, Prev, GoTo) and read the object at
// it. A walk is: First(); while (Current()) { ... CurrentItem() ...; Next(); }
//
// A plain list never releases the objects its nodes carry; the lists that own
// their items (an owning spellbook, the field parser, the specialty list)
// release them in their own destructors and delete operations.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

template <class T> struct TNode {
    TNode* Prev = nullptr;
    TNode* Next = nullptr;
    T* Data = nullptr; // none in the sentinels; never released by the node
};

// Where a list's nodes live: blocks of nodes handed out in order, growing
// from 16 to 4,096 nodes a block, and a chain of released nodes that are
// handed out again first. A list of many items thus costs one allocation per
// block instead of one per node, and its nodes lie side by side in the order
// they were made. Releasing every node at once keeps the blocks for reuse.
template <class T> class tNodePool {
public:
    TNode<T>* New() {
        if (FReleased) {
            TNode<T>* node = FReleased;
            FReleased = node->Next;
            return node;
        }
        if (FBlock == FBlocks.size() || FUsed == BlockSize(FBlock)) {
            if (FBlock < FBlocks.size()) {
                ++FBlock;
            }
            if (FBlock == FBlocks.size()) {
                FBlocks.push_back(std::make_unique<tRoom[]>(BlockSize(FBlock)));
            }
            FUsed = 0;
        }
        return ::new (&FBlocks[FBlock][FUsed++].Node) TNode<T>;
    }

    void Release(TNode<T>* node) {
        node->Data = nullptr; // marks it released for ForEachHandedOut
        node->Next = FReleased;
        FReleased = node;
    }

    // Calls visit on the object of every node handed out and not released
    // (nodes carrying none are skipped), in the order the nodes lie in memory.
    template <class F> void ForEachHandedOut(F visit) const {
        for (size_t b = 0; b < FBlocks.size() && b <= FBlock; ++b) {
            const size_t used = b == FBlock ? FUsed : BlockSize(b);
            const tRoom* rooms = FBlocks[b].get();
            for (size_t i = 0; i < used; ++i) {
                if (rooms[i].Node.Data) {
                    visit(rooms[i].Node.Data);
                }
            }
        }
    }

    // Every node handed out is released; the blocks stay for the next ones.
    void ReleaseAll() {
        FBlock = 0;
        FUsed = 0;
        FReleased = nullptr;
    }

private:
    static size_t BlockSize(size_t block) { return size_t{16} << std::min<size_t>(block, 8); }

    // Room for a node, left as it comes from the allocator until the node is
    // made in it: a new block is not written twice.
    union tRoom {
        tRoom() {}
        TNode<T> Node;
    };

    std::vector<std::unique_ptr<tRoom[]>> FBlocks;
    size_t FBlock = 0; // the block handing out nodes
    size_t FUsed = 0;  // nodes of it handed out
    TNode<T>* FReleased = nullptr;
};

template <class T> class tMyList {
public:
    tMyList() {
        Head.Next = &Tail;
        Tail.Prev = &Head;
    }
    tMyList(const tMyList&) = delete;
    tMyList& operator=(const tMyList&) = delete;
    virtual ~tMyList() = default;

    int32_t Count() const { return FCount; }
    TNode<T>* Current() const { return FCurrent; }
    T* CurrentItem() const { return FCurrent ? FCurrent->Data : nullptr; }

    // Unsaved-changes flag: 0 at creation, never touched by list operations.
    bool Modified = false;

    void First() { FCurrent = FCount > 0 ? FHead->Next : nullptr; }

    void Next() {
        if (FCurrent) {
            FCurrent = FCurrent->Next == FTail ? nullptr : FCurrent->Next;
        }
    }

    void Prev() {
        if (FCurrent) {
            FCurrent = FCurrent->Prev == FHead ? nullptr : FCurrent->Prev;
        }
    }

    // 1-based position; outside 1..Count the cursor becomes none.
    void GoTo(int32_t n) {
        if (n < 1 || n > FCount) {
            FCurrent = nullptr;
            return;
        }
        First();
        for (int32_t i = 1; i < n; ++i) {
            Next();
        }
    }

    // Adds item at the end; nothing for none. The cursor does not move.
    void Append(T* item) {
        if (item) {
            LinkBefore(FTail, item);
        }
    }

    // Unlinks the node at the cursor and returns the object it carried (none
    // when the cursor is none). The cursor goes to the predecessor, or to the
    // successor when the first node was removed, so a walk that deletes and then
    // calls Next goes on with the node that followed the deleted one.
    // Ownership of the returned object stays with the caller's rules.
    T* UnlinkCurrent() {
        TNode<T>* node = FCurrent;
        if (!node) {
            return nullptr;
        }
        node->Prev->Next = node->Next;
        node->Next->Prev = node->Prev;
        TNode<T>* cursor = nullptr;
        if (node->Prev != FHead) {
            cursor = node->Prev;
        } else if (node->Next != FTail) {
            cursor = node->Next;
        }
        T* data = node->Data;
        FNodes.Release(node);
        --FCount;
        FCurrent = cursor;
        return data;
    }

    // A plain list releases only the node, never what it carries.
    virtual void DeleteCurrent() { UnlinkCurrent(); }

protected:
    TNode<T>* FirstNode() const { return FCount > 0 ? FHead->Next : nullptr; }
    TNode<T>* LastNode() const { return FCount > 0 ? FTail->Prev : nullptr; }
    bool IsTail(const TNode<T>* node) const { return node == FTail; }
    TNode<T>* TailNode() { return FTail; }
    void SetCurrent(TNode<T>* node) { FCurrent = node; }

    TNode<T>* HeadNode() { return FHead; }

    // Links a new node carrying item just before the node before and returns it.
    TNode<T>* LinkBefore(TNode<T>* before, T* item) { return LinkBetween(before->Prev, before, item); }

    // The same between two neighbours known to the caller (prev->Next is
    // next; the head or the tail at either end): neither is read, only
    // written, so a caller that knows both spares waiting for one to come
    // from memory.
    TNode<T>* LinkBetween(TNode<T>* prev, TNode<T>* next, T* item) {
        TNode<T>* node = FNodes.New();
        node->Data = item;
        node->Prev = prev;
        node->Next = next;
        prev->Next = node;
        next->Prev = node;
        ++FCount;
        return node;
    }

    // Drops every node at once (not what they carry): Count 0, cursor none;
    // a list walking another's nodes walks its own (none) again.
    void UnlinkAll() {
        Head.Next = &Tail;
        Tail.Prev = &Head;
        FHead = &Head;
        FTail = &Tail;
        FCount = 0;
        FCurrent = nullptr;
        FNodes.ReleaseAll();
    }

    // Drops every node, then walks the nodes of other (between its two
    // sentinels) as its own, cursor none, until UnlinkAll. Reading works as
    // for a list of its own; no node may be linked or unlinked in either list
    // meanwhile.
    void WalkNodesOf(const tMyList& other) {
        UnlinkAll();
        FHead = other.FHead;
        FTail = other.FTail;
        FCount = other.FCount;
    }
    bool WalksOwnNodes() const { return FHead == &Head; }

    // Calls visit on every carried object in order, without moving the cursor.
    template <class F> void ForEachItem(F visit) const {
        for (const TNode<T>* n = FHead->Next; n != FTail; n = n->Next) {
            visit(n->Data);
        }
    }

    // Calls visit on every carried object (none skipped) in no promised
    // order: for a list walking its own nodes, the order they lie in memory,
    // which for a list grown out of order reads far less memory at random
    // than following the links (releasing every object, say).
    template <class F> void ForEachItemUnordered(F visit) const {
        if (!WalksOwnNodes()) {
            ForEachItem([&](T* item) {
                if (item) {
                    visit(item);
                }
            });
            return;
        }
        FNodes.ForEachHandedOut(visit);
    }

private:
    tNodePool<T> FNodes; // declared first: the nodes outlive the links to them
    TNode<T> Head;
    TNode<T> Tail;
    // The sentinels walked: this list's own, or another's (WalkNodesOf).
    TNode<T>* FHead = &Head;
    TNode<T>* FTail = &Tail;
    TNode<T>* FCurrent = nullptr;
    int32_t FCount = 0;
};

// A list kept in the order of Compare (new item, listed item): negative puts
// the new item first. With Unique an item comparing equal to a listed one is
// refused; without it, equal items keep their insertion order.
template <class T> class tSortedList : public tMyList<T> {
public:
    using CompareFn = int32_t (*)(const T& newItem, const T& listedItem);

    tSortedList(CompareFn compare, bool unique) : Compare(compare), Unique(unique) {}

    const CompareFn Compare;
    const bool Unique;

    // Ordered insertion; false for none or a refused duplicate (list unchanged).
    // The cursor does not move. An item that sorts after the last one is linked
    // at the tail at once, where the walk from the front would end too, so
    // loading an already sorted file stays linear.
    bool Insert(T* item) {
        if (!item) {
            return false;
        }
        if (TNode<T>* last = this->LastNode()) {
            const int32_t c = Compare(*item, *last->Data);
            if (c > 0 || (c == 0 && !Unique)) {
                this->LinkBefore(this->TailNode(), item);
                return true;
            }
        }
        TNode<T>* node = this->FirstNode();
        for (; node; node = this->IsTail(node->Next) ? nullptr : node->Next) {
            const int32_t c = Compare(*item, *node->Data);
            if (c < 0) {
                break;
            }
            if (c == 0 && Unique) {
                return false;
            }
        }
        this->LinkBefore(node ? node : this->TailNode(), item);
        return true;
    }

    // True when some listed item compares equal to item; walks the whole list.
    bool Contains(const T* item) const {
        if (!item) {
            return false;
        }
        for (TNode<T>* node = this->FirstNode(); node;
             node = this->IsTail(node->Next) ? nullptr : node->Next) {
            if (Compare(*item, *node->Data) == 0) {
                return true;
            }
        }
        return false;
    }
};
