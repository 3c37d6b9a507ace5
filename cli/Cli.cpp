#include "cli/Cli.h"

#include "app/OddsSettings.h"
#include "app/SettingsFile.h"
#include "app/Version.h"
#include "cli/Arguments.h"
#include "cli/TerminalText.h"
#include "files/AtomicWrite.h"
#include "files/DataFile.h"
#include "files/FileFormat.h"
#include "files/Fill.h"
#include "files/Odds.h"
#include "files/RuleTables.h"
#include "files/Rules.h"
#include "files/SpecialtyFile.h"
#include "files/SpellListFile.h"
#include "files/SpellbookFile.h"
#include "files/TextLines.h"
#include "master/SpellFilter.h"
#include "model/Random.h"
#include "model/Specialty.h"
#include "model/Text.h"
#include "output/BookText.h"
#ifdef QUILL_CLI_PDF
#include "cli/PdfOutput.h"
#endif
#include "output/Scroll.h"
#include "output/SpellListLine.h"

#include <algorithm>
#include <csignal>
#include <functional>
#include <limits>
#include <memory>
#include <new>
#include <optional>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr std::string_view ProgramName = "quillmark-cli";

// Ends a subcommand: RunCli writes Line (when not empty) to err and returns
// Status.
struct tFailure {
    int Status;
    std::string Line;
};

// One run of a subcommand: its name (for messages) and the two streams.
struct tRun {
    std::string Command;
    std::ostream& Out;
    std::ostream& Err;
};

[[noreturn]] void BadArguments(const tRun& run, const std::string& message) {
    throw tFailure{ExitBadArguments, std::string(ProgramName) + " " + run.Command + ": " + message +
                                         " (see \"" + std::string(ProgramName) + " " + run.Command +
                                         " --help\")"};
}

std::string Prefix(const tRun& run) {
    return std::string(ProgramName) + " " + run.Command + ": ";
}

[[noreturn]] void FileFailure(const tRun& run, const std::string& path, FileError error) {
    if (error == FileError::None) {
        error = FileError::CannotOpen;
    }
    throw tFailure{ExitFileFailure, Prefix(run) + path + " " + DescribeFileError(error)};
}

// The same for a file its format refused or could not write, with the
// format's reason when it gave one.
[[noreturn]] void FileFailure(const tRun& run, const std::string& path, const tFormatError& error) {
    if (error.Reason.empty()) {
        FileFailure(run, path, error.Error);
    }
    throw tFailure{ExitFileFailure, Prefix(run) + path + ": " + error.Reason};
}

// Runs read, which reads the file path; a failed allocation on the way (a file
// too large for the memory there is) ends the run with one line.
template <class Read> auto ReadInput(const tRun& run, const std::string& path, Read read) {
    try {
        return read();
    } catch (const std::bad_alloc&) {
        throw tFailure{ExitFileFailure, Prefix(run) + "out of memory reading " + path};
    }
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// --- Arguments --------------------------------------------------------------

void ExpectPositional(const tRun& run, const tArguments& args, size_t count, std::string_view what) {
    if (args.Positional.size() < count) {
        BadArguments(run, "missing " + std::string(what));
    }
    if (args.Positional.size() > count) {
        BadArguments(run, "unexpected argument " + Quoted(args.Positional[count]));
    }
}

std::string Required(const tRun& run, const tArguments& args, std::string_view name) {
    std::optional<std::string> value = args.Value(name);
    if (!value) {
        BadArguments(run, std::string(name) + " is required");
    }
    return *value;
}

int32_t NumberOption(const tRun& run, const tArguments& args, std::string_view name, int32_t min, int32_t max,
                     std::optional<int32_t> fallback) {
    const std::optional<std::string> text = fallback ? args.Value(name) : Required(run, args, name);
    if (!text) {
        return *fallback;
    }
    int64_t value = 0;
    if (!ParseWholeNumber(*text, min, max, value)) {
        BadArguments(run, std::string(name) + " must be a whole number from " + std::to_string(min) + " to " +
                              std::to_string(max) + ", not " + Quoted(*text));
    }
    return static_cast<int32_t>(value);
}

// A frequency code from its name ("Common" ... "Restricted", any ASCII case).
std::optional<int32_t> FrequencyOption(const tRun& run, const tArguments& args, std::string_view name) {
    const std::optional<std::string> text = args.Value(name);
    if (!text) {
        return std::nullopt;
    }
    if (int32_t code = 0; FrequencyFromTitle(*text, code)) {
        return code;
    }
    BadArguments(run, std::string(name) +
                          " must be Common, Uncommon, Rare, \"Very Rare\" or Restricted, not " +
                          Quoted(*text));
}

std::optional<uint64_t> SeedOption(const tRun& run, const tArguments& args) {
    const std::optional<std::string> text = args.Value("--seed");
    if (!text) {
        return std::nullopt;
    }
    uint64_t seed = 0;
    if (!ParseSeed(*text, seed)) {
        BadArguments(run,
                     "--seed must be a whole number from 0 to 18446744073709551615, not " + Quoted(*text));
    }
    return seed;
}

// Seeds the random source with the seed given, else from the clock.
void SeedRandomSource(std::optional<uint64_t> seed) {
    if (seed) {
        SeedRandom(*seed);
    } else {
        SeedRandomFromClock();
    }
}

// --- Inputs -----------------------------------------------------------------

// What becomes of a book read by LoadBook.
enum class tUse {
    Read,     // only read (text, list, scroll's source, the master list)
    WriteBack // written back as a spellbook (fill, validate, convert)
};

// A spellbook file or spell list, or a file of the format given. A file that
// held text but no spell fails the run; so does, for a book to be written
// back, a header whose caster level or intelligence is not a number (written
// back as 0 it would lose every spell to the rules).
std::unique_ptr<TSpellBook> LoadBook(const tRun& run, const std::string& path, tUse use = tUse::Read,
                                     const tFileFormat& format = SpellbookFormat()) {
    tFormatError error;
    std::unique_ptr<TSpellBook> book =
        ReadInput(run, path, [&] { return ReadBookFile(format, path, error); });
    const bool damagedHeader =
        error.Error == FileError::CasterLevelNotNumber || error.Error == FileError::IntelligenceNotNumber;
    if (!book || error.Error == FileError::NoSpells || (use == tUse::WriteBack && damagedHeader)) {
        FileFailure(run, path, error);
    }
    return book;
}

// The list of --specialties, else the built-in list.
std::unique_ptr<tSpecialtyList> LoadSpecialties(const tRun& run, const tArguments& args) {
    const std::optional<std::string> path = args.Value("--specialties");
    if (!path) {
        return MakeDefaultSpecialties();
    }
    FileError error = FileError::None;
    std::unique_ptr<tSpecialtyList> list =
        ReadInput(run, *path, [&] { return ReadSpecialtyFile(*path, &error); });
    if (!list) {
        FileFailure(run, *path, error);
    }
    return list;
}

// The selection odds of --settings (each missing key its default), else the
// defaults. A settings file named on the command line must be there and be
// read whole.
void LoadOdds(const tRun& run, const tArguments& args) {
    ResetSelectionOdds();
    const std::optional<std::string> path = args.Value("--settings");
    if (!path) {
        return;
    }
    FileError error = FileError::None;
    const std::unique_ptr<std::istream> in = OpenDataFile(*path, &error);
    std::string text;
    if (!in) {
        FileFailure(run, *path, error);
    }
    if (!ReadInput(run, *path, [&] { return ReadAllBytes(*in, text); })) {
        FileFailure(run, *path, FileError::ReadError);
    }
    ReadSelectionOdds(text);
}

// The specialty a book is made for: "Generalist" or a name of the list, in
// any ASCII case; the book gets the name as the list spells it.
std::string SpecialtyOption(const tRun& run, const tArguments& args, tSpecialtyList& specialties) {
    const std::optional<std::string> text = args.Value("--specialty");
    if (!text || SameTextAscii(*text, GeneralistName)) {
        return GeneralistName;
    }
    if (const tSpecialty* specialty = specialties.Find(*text)) {
        return specialty->Name;
    }
    std::string known = GeneralistName;
    for (const std::string& name : specialties.Names()) {
        known += ", " + name;
    }
    BadArguments(run, "unknown specialty " + Quoted(*text) + " (known: " + known + ")");
}

// --- Outputs ----------------------------------------------------------------

using tWriter = std::function<bool(std::ostream&)>;

// Writes through writer into the file path, replacing it only when all went
// well, or to standard output when path is none.
// A writer that failed may say why in why.
void Emit(const tRun& run, const std::optional<std::string>& path, const tWriter& writer,
          const tFormatError* why = nullptr) {
    if (!path) {
        std::ostringstream text;
        writer(text);
        run.Out << text.str();
        return;
    }
    FileError error = FileError::None;
    if (!WriteFileAtomically(*path, writer, &error)) {
        if (why && !why->Reason.empty()) {
            FileFailure(run, *path, *why);
        }
        FileFailure(run, *path, error == FileError::None ? FileError(FileError::CannotWrite) : error);
    }
}

// The signal that interrupted a batch of books, once it was caught.
volatile std::sig_atomic_t Interruption = 0;

extern "C" void NoteInterruption(int signal) {
    Interruption = signal;
}

// While it lives, every signal that would end the program and can be caught
// (interrupt, hang-up, quit, terminate, a broken pipe, an alarm, the user
// signals, a CPU or file size limit, the real-time signals...) is only noted,
// so that a batch can clean up before it ends. Signals the program was told
// to ignore stay ignored.
class tInterruptions {
public:
    tInterruptions() {
        Interruption = 0;
        struct sigaction noting {};
        noting.sa_handler = NoteInterruption;
        sigemptyset(&noting.sa_mask);
        noting.sa_flags = SA_RESTART;
        for (const int signal : Signals()) {
            struct sigaction previous {};
            if (::sigaction(signal, nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN) {
                continue;
            }
            if (::sigaction(signal, &noting, &previous) == 0) {
                Previous.emplace_back(signal, previous);
            }
        }
    }
    tInterruptions(const tInterruptions&) = delete;
    tInterruptions& operator=(const tInterruptions&) = delete;
    ~tInterruptions() {
        for (const auto& [signal, previous] : Previous) {
            ::sigaction(signal, &previous, nullptr);
        }
    }
    // The signal caught, or 0.
    static int Caught() { return Interruption; }

private:
    static std::vector<int> Signals() {
        std::vector<int> signals = {SIGINT,  SIGHUP,  SIGQUIT, SIGTERM,   SIGPIPE, SIGALRM, SIGUSR1,
                                    SIGUSR2, SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF, SIGPOLL, SIGPWR};
        for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) {
            signals.push_back(signal);
        }
        return signals;
    }
    std::vector<std::pair<int, struct sigaction>> Previous;
};

// Ends a batch that a signal interrupted: thrown once what the batch made is
// gone, caught by RunCli, which lets the signal end the program.
struct tInterrupted {
    int Signal;
};

// Writes count books into the folder out, book i (from 0) written by
// writeBook(i, stream) under names(i): all of them or, on any failure, none
// (WriteFilesIntoFolder). Nothing it made is left behind when a signal
// interrupts it; a signal that comes once the books go into place ends the
// program when they are there.
void EmitBooks(const tRun& run, const std::string& out, int32_t count,
               const std::function<std::string(int32_t)>& names,
               const std::function<bool(int32_t, std::ostream&)>& writeBook) {
    const tInterruptions interruptions;
    const tBatchResult result = WriteFilesIntoFolder(
        out, static_cast<size_t>(count), [&names](size_t i) { return names(static_cast<int32_t>(i)); },
        [&writeBook](size_t i, std::ostream& o) { return writeBook(static_cast<int32_t>(i), o); },
        [] { return tInterruptions::Caught() != 0; });
    if (const int signal = tInterruptions::Caught()) {
        throw tInterrupted{signal};
    }
    if (result.Status != tBatchResult::tStatus::Written) {
        FileFailure(run, result.Path, result.Error);
    }
}

tWriter SpellbookWriter(TSpellBook& book) {
    return [&book](std::ostream& out) { return WriteSpellbookFile(book, out); };
}

// --- Subcommands ------------------------------------------------------------

int RunNew(const tRun& run, const tArguments& args) {
    ExpectPositional(run, args, 0, "");
    const std::string masterPath = Required(run, args, "--master");
    const int32_t level = NumberOption(run, args, "--level", MinCasterLevel, MaxCasterLevel, std::nullopt);
    const int32_t intelligence =
        NumberOption(run, args, "--intelligence", MinIntelligence, MaxIntelligence, std::nullopt);
    const int32_t frequency = FrequencyOption(run, args, "--frequency").value_or(FrequencyCommon);
    const std::optional<uint64_t> seed = SeedOption(run, args);
    const std::optional<std::string> out = args.Value("-o");
    const bool many = args.Has("--count");
    const int32_t count = NumberOption(run, args, "--count", 1, 1000000, 1);
    if (many && !out) {
        BadArguments(run, "--count needs -o FOLDER");
    }

    std::unique_ptr<tSpecialtyList> specialties = LoadSpecialties(run, args);
    const std::string specialty = SpecialtyOption(run, args, *specialties);
    LoadOdds(run, args);
    std::unique_ptr<TSpellBook> master = LoadBook(run, masterPath);

    SeedRandomSource(seed);
    const auto writeBook = [&](int32_t, std::ostream& o) {
        auto book = TSpellBook::Create(level, intelligence, frequency, specialty);
        FillBook(book.get(), master.get(), specialties.get());
        return WriteSpellbookFile(*book, o);
    };
    if (!many) {
        Emit(run, out, [&writeBook](std::ostream& o) { return writeBook(0, o); });
        return ExitSuccess;
    }
    const size_t width = std::to_string(count).size();
    const auto name = [width](int32_t i) {
        std::string number = std::to_string(i + 1);
        number.insert(0, width - number.size(), '0');
        return "book-" + number + ".spb";
    };
    EmitBooks(run, *out, count, name, writeBook);
    return ExitSuccess;
}

int RunFill(const tRun& run, const tArguments& args) {
    ExpectPositional(run, args, 1, "BOOK");
    const std::string masterPath = Required(run, args, "--master");
    const std::string out = Required(run, args, "-o");
    const std::optional<uint64_t> seed = SeedOption(run, args);

    std::unique_ptr<tSpecialtyList> specialties = LoadSpecialties(run, args);
    LoadOdds(run, args);
    std::unique_ptr<TSpellBook> book = LoadBook(run, args.Positional[0], tUse::WriteBack);
    std::unique_ptr<TSpellBook> master = LoadBook(run, masterPath);

    SeedRandomSource(seed);
    FillBook(book.get(), master.get(), specialties.get());
    Emit(run, out, SpellbookWriter(*book));
    return ExitSuccess;
}

int RunValidate(const tRun& run, const tArguments& args) {
    ExpectPositional(run, args, 1, "BOOK");
    const std::optional<std::string> out = args.Value("-o");

    std::unique_ptr<tSpecialtyList> specialties = LoadSpecialties(run, args);
    std::unique_ptr<TSpellBook> book = LoadBook(run, args.Positional[0], tUse::WriteBack);

    const std::vector<std::unique_ptr<tSpell>> removed = PurgeIllegalSpells(*book, *specialties);
    Emit(run, out, SpellbookWriter(*book));
    for (const auto& spell : removed) {
        run.Err << "removed level " << spell->Level << ": " << SpellListLine(*spell, false) << '\n';
    }
    run.Err.flush();
    // The list is the only record of what was removed: losing it fails the
    // run (there is nowhere left to say so).
    return run.Err ? ExitSuccess : ExitFileFailure;
}

// The output options of text and pdf.
tOutputOptions OutputOptions(const tRun& run, const tArguments& args) {
    tOutputOptions options;
    options.Columns = NumberOption(run, args, "--columns", 0, MaxOutputColumns, 0);
    options.Memorized = !args.Has("--no-memorized");
    options.BookPage = !args.Has("--no-book-page");
    options.Category = args.Has("--category");
    options.Frequency = args.Has("--frequency");
    return options;
}

int RunText(const tRun& run, const tArguments& args) {
    ExpectPositional(run, args, 1, "BOOK");
    const tOutputOptions options = OutputOptions(run, args);

    const std::string& path = args.Positional[0];
    std::unique_ptr<TSpellBook> book = LoadBook(run, path);
    run.Out << JoinLines(BuildOutputText(*book, path, options));
    return ExitSuccess;
}

#ifdef QUILL_CLI_PDF
int RunPdf(const tRun& run, const tArguments& args) {
    ExpectPositional(run, args, 1, "BOOK");
    const tOutputOptions options = OutputOptions(run, args);
    const std::string out = Required(run, args, "-o");

    const std::string& path = args.Positional[0];
    std::unique_ptr<TSpellBook> book = LoadBook(run, path);
    std::string pdf;
    std::string message;
    if (!MakeBookPdf(*book, path, options, pdf, message)) {
        throw tFailure{ExitFileFailure, std::string(ProgramName) + " " + run.Command + ": " + message};
    }
    Emit(run, out, [&pdf](std::ostream& o) { return static_cast<bool>(o << pdf); });
    return ExitSuccess;
}
#endif

int RunScroll(const tRun& run, const tArguments& args) {
    ExpectPositional(run, args, 1, "BOOK");
    const std::string countsText = Required(run, args, "--counts");
    tScrollCounts counts{};
    if (!ParseLevelCounts(countsText, counts)) {
        BadArguments(run, "--counts must be nine whole numbers of at least 0 separated by commas, not " +
                              Quoted(countsText));
    }
    const std::string out = Required(run, args, "-o");
    const std::optional<uint64_t> seed = SeedOption(run, args);

    std::unique_ptr<TSpellBook> source = LoadBook(run, args.Positional[0]);
    SeedRandomSource(seed);
    std::unique_ptr<TSpellBook> scroll = MakeScroll(*source, counts);
    Emit(run, out, SpellbookWriter(*scroll));
    return ExitSuccess;
}

int RunList(const tRun& run, const tArguments& args) {
    ExpectPositional(run, args, 1, "MASTER");
    const int32_t level = NumberOption(run, args, "--level", MinSpellLevel, MaxSpellLevel, 0);
    tSpellFilter filter;
    filter.Name = args.Value("--name").value_or("");
    filter.Category = args.Value("--category").value_or("");
    filter.Frequency = FrequencyOption(run, args, "--frequency");
    filter.SourceBook = args.Value("--source").value_or("");

    std::unique_ptr<tSpecialtyList> specialties = LoadSpecialties(run, args);
    std::unique_ptr<TSpellBook> master = LoadBook(run, args.Positional[0]);
    std::unique_ptr<TSpellBook> match;
    if (const std::optional<std::string> path = args.Value("--match")) {
        match = LoadBook(run, *path);
        filter.MatchBook = match.get();
        filter.Specialties = specialties.get();
    }

    TSpellBook shown;
    shown.MarkReferencesOnly();
    ApplyFilter(*master, shown, filter);
    for (int32_t l = MinSpellLevel; l <= MaxSpellLevel; ++l) {
        if (level != 0 && l != level) {
            continue;
        }
        for (const std::string& line : SpellListLines(shown, l, false)) {
            run.Out << line << '\n';
        }
    }
    return ExitSuccess;
}

// The names of the formats that pass keep, for messages and help, convert's
// default first ("spellbook, list, markdown, csv or json"), or their
// extensions (".csv or .json").
std::string FormatNames(const std::function<bool(const tFileFormat&)>& keep, bool extensions = false,
                        std::string_view between = ", ", std::string_view last = " or ") {
    std::vector<const tFileFormat*> formats = FileFormats();
    std::stable_partition(formats.begin(), formats.end(),
                          [](const tFileFormat* format) { return format == &SpellbookFormat(); });
    std::vector<std::string> names;
    for (const tFileFormat* format : formats) {
        if (keep(*format)) {
            names.push_back(extensions ? "." + std::string(format->Extension())
                                       : std::string(format->Name()));
        }
    }
    std::string text;
    for (size_t i = 0; i < names.size(); ++i) {
        text += std::string(i == 0 ? "" : i + 1 == names.size() ? last : between) + names[i];
    }
    return text;
}

bool Writes(const tFileFormat& format) {
    return format.CanWrite();
}

// A format of another program's kind, which convert finds by a file's
// extension: the program's own files are told apart by their content.
bool Foreign(const tFileFormat& format) {
    return !format.Own();
}

// The format of another program's kind that path's extension names, when
// it reads (reading) or writes; none for any other path.
const tFileFormat* ForeignFormatOf(const std::string& path, bool reading) {
    const tFileFormat* format = FileFormatOfPath(path);
    if (!format || !Foreign(*format) || !(reading ? format->CanRead() : format->CanWrite())) {
        return nullptr;
    }
    return format;
}

int RunConvert(const tRun& run, const tArguments& args) {
    ExpectPositional(run, args, 2, "IN and OUT");
    const std::string& in = args.Positional[0];
    const std::string& out = args.Positional[1];
    const tFileFormat* to = ForeignFormatOf(out, false);
    if (const std::optional<std::string> name = args.Value("--as")) {
        to = FindFileFormat(*name);
        if (!to || !to->CanWrite()) {
            BadArguments(run, "--as must be " + FormatNames(Writes) + ", not " + Quoted(*name));
        }
    }
    if (!to) {
        to = &SpellbookFormat();
    }
    const tFileFormat* from = ForeignFormatOf(in, true);

    // A header that is written out must hold what was read.
    std::unique_ptr<TSpellBook> book =
        LoadBook(run, in, to->KeepsHeader() ? tUse::WriteBack : tUse::Read, from ? *from : SpellbookFormat());
    tFormatError error;
    Emit(
        run, out, [&](std::ostream& o) { return to->Write(*book, in, o, error); }, &error);
    return ExitSuccess;
}

// --- The command table ------------------------------------------------------

// The options of text and pdf, and extra ones.
std::vector<tOptionSpec> OutputOptionSpecs(std::vector<tOptionSpec> extra = {}) {
    std::vector<tOptionSpec> specs = {{"--columns", true},
                                      {"--no-memorized", false},
                                      {"--no-book-page", false},
                                      {"--category", false},
                                      {"--frequency", false}};
    specs.insert(specs.end(), extra.begin(), extra.end());
    return specs;
}

struct tCommand {
    std::string_view Name;
    std::string_view Summary;
    std::string Help;
    std::vector<tOptionSpec> Options;
    int (*Run)(const tRun&, const tArguments&);
};

const std::vector<tCommand>& Commands() {
    static const std::vector<tCommand> commands = {
        {"new",
         "make a spellbook filled at random from a master list",
         R"(Usage: quillmark-cli new --master FILE --level N --intelligence N [options]

Makes an empty spellbook for the wizard described, fills it at random from the
master list within the game's limits, and writes it as a version-5 spellbook.

  --master FILE       the master spell list (spell list or spellbook file)
  --level N           caster level, 1 to 30
  --intelligence N    intelligence, 9 to 21
  --specialty NAME    Generalist (the default) or a specialty of the list
  --frequency NAME    the rarest spells the book admits: Common (the default),
                      Uncommon, Rare, "Very Rare" or Restricted
  --specialties FILE  a specialty file to use instead of the built-in list
  --settings FILE     a settings file; its section "SpellFrequencyOdds" gives
                      the selection odds (default 100, 20, 10, 5, 1)
  --seed N            draw reproducibly from seed N (default: the clock)
  --count N           make N books into the folder OUT, named book-N.spb with
                      the numbers padded to one width (book-01.spb ...): all
                      of them or, when one cannot be written, none
  -o OUT              the output file, or with --count the folder (made when
                      missing); default: standard output
)",
         {{"--master", true},
          {"--level", true},
          {"--intelligence", true},
          {"--specialty", true},
          {"--frequency", true},
          {"--specialties", true},
          {"--settings", true},
          {"--seed", true},
          {"--count", true},
          {"-o", true}},
         RunNew},
        {"fill",
         "fill an existing spellbook from a master list",
         R"(Usage: quillmark-cli fill BOOK --master FILE -o OUT [options]

Tops the spellbook BOOK up at random from the master list, as Fill Book does:
spells already in the book stay, and none is added twice.

  --master FILE       the master spell list
  --specialties FILE  a specialty file to use instead of the built-in list
  --settings FILE     a settings file giving the selection odds
  --seed N            draw reproducibly from seed N (default: the clock)
  -o OUT              the output file (version-5 spellbook)
)",
         {{"--master", true}, {"--specialties", true}, {"--settings", true}, {"--seed", true}, {"-o", true}},
         RunFill},
        {"validate",
         "remove the spells a spellbook may not hold",
         R"(Usage: quillmark-cli validate BOOK [--specialties FILE] [-o OUT]

Removes every spell the rules do not allow the book's wizard (a spell level he
cannot cast, rarer than the book admits, or of a prohibited school), writes the
book and lists the removed spells on standard error, one a line.

  --specialties FILE  a specialty file to use instead of the built-in list
  -o OUT              the output file (default: standard output)
)",
         {{"--specialties", true}, {"-o", true}},
         RunValidate},
        {"text", "print a spellbook's text",
         R"(Usage: quillmark-cli text BOOK [options]

Prints the book's text, as it goes to the clipboard, on standard output. Its
first line names BOOK as given.

  --columns N         0 (the default) puts each level on one line; 1 to 4
                      lays it out in that many tab-separated columns
  --no-memorized      no "*" in front of memorized spells
  --no-book-page      leave out the source book and page
  --category          add the category
  --frequency         add the frequency letter
)",
         OutputOptionSpecs(), RunText},
#ifdef QUILL_CLI_PDF
        {"pdf", "write a spellbook's printed pages as a PDF file",
         R"(Usage: quillmark-cli pdf BOOK -o OUT [options]

Draws the book on A4 pages as Print does, in the output font (12.75 points),
and writes them to the PDF file OUT. The first line names BOOK as given.

  -o OUT              the output file
  --columns N         0 (the default) lets each level's spells run on from
                      line to line; 1 to 4 lays them out in that many columns
  --no-memorized      no "*" in front of memorized spells
  --no-book-page      leave out the source book and page
  --category          add the category
  --frequency         add the frequency letter
)",
         OutputOptionSpecs({{"-o", true}}), RunPdf},
#endif
        {"scroll",
         "make a scroll of random spells drawn from a spellbook",
         R"(Usage: quillmark-cli scroll BOOK --counts N1,...,N9 -o OUT [--seed N]

Makes a new spellbook for the same wizard holding, for each spell level, the
given number of different spells of BOOK drawn at random (at most as many as
BOOK holds of that level).

  --counts N1,...,N9  the number of spells of levels 1 to 9
  --seed N            draw reproducibly from seed N (default: the clock)
  -o OUT              the output file (version-5 spellbook)
)",
         {{"--counts", true}, {"--seed", true}, {"-o", true}},
         RunScroll},
        {"list",
         "print the master list's lines, filtered",
         R"(Usage: quillmark-cli list MASTER [options]

Prints the lines the master list window shows, one spell a line, for the
spells of MASTER that pass the filter; all levels in order, or one level.

  --level L           only spell level L, 1 to 9
  --name TEXT         name contains TEXT, ignoring case
  --category TEXT     category contains TEXT, ignoring case
  --frequency NAME    Common, Uncommon, Rare, "Very Rare" or Restricted
  --source TEXT       source book is TEXT, ignoring case
  --match BOOK        only spells legal for the spellbook BOOK
  --specialties FILE  a specialty file to use instead of the built-in list
)",
         {{"--level", true},
          {"--name", true},
          {"--category", true},
          {"--frequency", true},
          {"--source", true},
          {"--match", true},
          {"--specialties", true}},
         RunList},
        {"convert",
         "rewrite a spellbook or spell list file in another format",
         "Usage: quillmark-cli convert IN OUT [--as " + FormatNames(Writes, false, "|", "|") + R"(]

Reads IN (a spellbook file of version 3, 4 or 5 or a spell list, or by its
extension a )" +
             FormatNames([](const tFileFormat& f) { return Foreign(f) && f.CanRead(); }, true) +
             R"( file) and writes it to OUT in the format --as
names, else in the one OUT's extension names ()" +
             FormatNames([](const tFileFormat& f) { return Foreign(f) && f.CanWrite(); }, true, ", ", ", ") +
             R"(), else as a
version-5 spellbook. A )" +
             FormatNames([](const tFileFormat& f) { return f.CanWrite() && !f.KeepsHeader(); }) +
             R"( file keeps no caster level, intelligence,
specialty or frequency; read back, it gets the values a spell list gets.

  --as FORMAT         )" +
             FormatNames(Writes) + R"(
)",
         {{"--as", true}},
         RunConvert},
    };
    return commands;
}

std::string GeneralHelp() {
    const std::string program(ProgramName);
    std::string text =
        "Usage: " + program + " COMMAND [ARGUMENTS]\n       " + program + R"( --help | --version

Makes, checks and prints spellbooks without the windows.

Commands:
)";
    for (const tCommand& command : Commands()) {
        std::string name(command.Name);
        name.resize(10, ' ');
        text += "  " + name + std::string(command.Summary) + "\n";
    }
    text += "\nRun \"" + std::string(ProgramName) + R"( COMMAND --help" for a command's arguments.
Exit status: 0 done; 1 a file could not be read, is not a spellbook or spell
list, or could not be written; 2 bad arguments.
)";
    return text;
}

const tCommand* FindCommand(std::string_view name) {
    for (const tCommand& command : Commands()) {
        if (command.Name == name) {
            return &command;
        }
    }
    return nullptr;
}

} // namespace

namespace {

int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << ProgramName << ": a command is missing (see \"" << ProgramName << " --help\")\n";
        return ExitBadArguments;
    }
    const std::string& name = args.front();
    if (name == "--version") {
        out << ProgramName << ' ' << ProgramVersion() << '\n';
        return ExitSuccess;
    }
    if (name == "--help" || name == "-h" || name == "help") {
        const tCommand* command = args.size() > 1 ? FindCommand(args[1]) : nullptr;
        out << (command ? command->Help : GeneralHelp());
        return ExitSuccess;
    }
    const tCommand* command = FindCommand(name);
    if (!command) {
        err << ProgramName << ": unknown command " << Quoted(name) << " (see \"" << ProgramName
            << " --help\")\n";
        return ExitBadArguments;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (AsksForHelp(rest)) {
        out << command->Help;
        return ExitSuccess;
    }
    const tRun run{std::string(command->Name), out, err};
    try {
        tArguments parsed;
        std::string message;
        if (!ParseArguments(rest, command->Options, parsed, message)) {
            BadArguments(run, message);
        }
        return command->Run(run, parsed);
    } catch (const tFailure& failure) {
        err << failure.Line << '\n';
        return failure.Status;
    } catch (const std::bad_alloc&) {
        err << Prefix(run) << "out of memory\n";
        return ExitFileFailure;
    }
}

// Passes text on to another buffer as a terminal may be shown it
// (tTerminalText).
class tTerminalBuffer : public std::streambuf {
public:
    explicit tTerminalBuffer(std::streambuf* target) : Target(target) {}

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) {
            return traits_type::not_eof(c);
        }
        const char byte = traits_type::to_char_type(c);
        return Pass(std::string_view(&byte, 1)) ? c : traits_type::eof();
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        return Pass(std::string_view(s, static_cast<size_t>(n))) ? n : 0;
    }
    int sync() override {
        std::string shown;
        Text.Finish(shown);
        return Send(shown) ? Target->pubsync() : -1;
    }

private:
    bool Pass(std::string_view text) {
        std::string shown;
        Text.Put(text, shown);
        return Send(shown);
    }
    bool Send(const std::string& shown) {
        return Target->sputn(shown.data(), static_cast<std::streamsize>(shown.size())) ==
               static_cast<std::streamsize>(shown.size());
    }

    std::streambuf* Target;
    tTerminalText Text;
};

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, tTerminals terminals) {
    tTerminalBuffer outBuffer(out.rdbuf());
    tTerminalBuffer errBuffer(err.rdbuf());
    std::ostream safeOut(&outBuffer);
    std::ostream safeErr(&errBuffer);
    std::ostream& shownOut = terminals.Out ? safeOut : out;
    std::ostream& shownErr = terminals.Err ? safeErr : err;
    int status = ExitSuccess;
    try {
        status = RunCommand(args, shownOut, shownErr);
    } catch (const tInterrupted& interrupted) {
        // The staging folder is gone: let the signal end the program as it
        // would have.
        std::signal(interrupted.Signal, SIG_DFL);
        std::raise(interrupted.Signal);
        return 128 + interrupted.Signal;
    }
    for (auto [shown, stream] : {std::pair{&shownOut, &out}, std::pair{&shownErr, &err}}) {
        shown->flush();
        if (!*shown) {
            stream->setstate(std::ios::badbit);
        }
    }
    return status;
}
