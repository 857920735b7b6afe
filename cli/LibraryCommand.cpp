// qelvar-cli library: the birth library from the command line (list, find,
// show, add, edit, remove, export, import), and --from-library of cast and
// render.  A library that cannot be opened, or is damaged, gives status 3
// and a message naming the file; a damaged file is left as it is.
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

#include "cli/CastOptions.h"
#include "cli/Command.h"
#include "cli/Output.h"
#include "cli/Status.h"
#include "io/AtomicFile.h"
#include "io/Json.h"
#include "library/Library.h"
#include "library/RecordFormats.h"

namespace qelvar::cli {

using library::BirthKind;
using library::Library;
using library::Record;

namespace {

constexpr std::string_view kLibraryFooter =
    "The library is one SQLite file: --library FILE, else $QELVAR_LIBRARY, else\n"
    "$XDG_DATA_HOME/qelvar/library.sqlite (~/.local/share/qelvar/library.sqlite).\n"
    "An import first copies the library into the folder backups/ beside it\n"
    "(the newest five copies are kept) and then adds every record or none.\n"
    "A damaged library gives status 3 and is left untouched.";

// Opens the library of --library (or the default); null with the status
// reported on stderr.
std::unique_ptr<Library> OpenLibrary(std::string_view command,
                                     const std::optional<std::string>& path, int& status) {
    const std::string file = path ? *path : library::DefaultLibraryPath();
    Library::Opened opened = Library::Open(file);
    if (opened.library) {
        status = kOk;
        return std::move(opened.library);
    }
    std::string message = opened.message;
    if (opened.error == library::OpenError::Damaged)
        message +=
            "; the file was left as it is (restore a copy from the folder backups/ "
            "beside it, or move it aside)";
    status = Fail(command, message, kIoFailed);
    return nullptr;
}

// The birth of the options as a record's birth: the dates as typed, or the
// clock time with its place already found.
int BirthOfOptions(std::string_view command, const CastOptions& o, library::TypedBirth& birth) {
    if (o.moment.clock) {
        const MomentFromOptions m = MomentOf(o.moment);
        if (!m.moment)
            return m.status == kMalformed ? UsageError(command, m.problem)
                                          : Fail(command, m.problem, m.status);
        birth.kind = BirthKind::Clock;
        birth.moment = *m.moment;
        return kOk;
    }
    if (!FitsDateRecord(o.date.date)) {
        std::cerr << kErrorDate << '\n';
        return kDateFails;
    }
    birth.kind = o.birth.calendar.lunar ? BirthKind::Lunar : BirthKind::Solar;
    birth.year = static_cast<int>(o.date.date.year);
    birth.month = static_cast<int>(o.date.date.month);
    birth.day = static_cast<int>(o.date.date.day);
    birth.leap = o.birth.calendar.leap;
    birth.doubleHour = o.birth.hour.value_or(0);
    birth.minuteSlot = o.birth.minute.value_or(0);
    return kOk;
}

// The options a record's birth gives a cast: the one adapter from a stored
// record to the inputs of the cast.
void OptionsOfRecord(const Record& r, CastOptions& o) {
    o.birth.male = r.male;
    o.periods.conventions = r.conventions;
    const library::TypedBirth& b = r.birth;
    if (b.kind == BirthKind::Clock) {
        o.storedMoment = b.moment;
        return;
    }
    o.date.given = true;
    o.date.date = {b.year, b.month, b.day};
    o.birth.calendar = {b.kind == BirthKind::Lunar, b.leap};
    o.birth.hour = b.doubleHour;
    o.birth.minute = b.minuteSlot;
}

int Write(std::string_view command, std::string_view text) {
    Output out(1, Encoding::Utf8);
    out.Add(text);
    if (!out.Flush()) return Fail(command, out.Failure(), kIoFailed);
    return kOk;
}

void AppendRecordText(std::string& out, const Record& r) {
    auto line = [&out](std::string_view label, std::string_view value) {
        out += label;
        out.append(label.size() < 13 ? 13 - label.size() : 1, ' ');
        out += value;
        out += '\n';
    };
    line("id:", r.id);
    line("name:", r.name);
    line("sex:", r.male ? "男 male" : "女 female");
    line("birth:", library::BirthSummary(r.birth));
    if (r.birth.kind == BirthKind::Clock) {
        const BirthMoment& m = r.birth.moment;
        line("dst:", library::DstName(m.dst));
        line("solar time:", m.trueSolarTime ? (*m.trueSolarTime ? "on" : "off") : "auto");
        if (m.place) {
            std::string where = std::to_string(m.place->longitude) + " E";
            if (m.place->latitude) where += ", " + std::to_string(*m.place->latitude) + " N";
            line("longitude:", where);
        }
    }
    const ChartConventions& c = r.conventions;
    const std::string school = SchoolText(c.school);
    line("conventions:",
         std::string(ConventionName(c.lateZi)) + " " + std::string(ConventionName(c.leapMonth)) +
             " " + std::string(ConventionName(c.yearStart)) + (school.empty() ? "" : " " + school));
    line("group:", r.group);
    std::string tags;
    for (const std::string& t : r.tags) tags += (tags.empty() ? "" : "; ") + t;
    line("tags:", tags);
    line("created:", library::TimestampText(r.created));
    line("modified:", library::TimestampText(r.modified));
    line("notes:", r.notes);
}

// One line per record: id, name, sex, birth, group and tags, tab-separated.
std::string ListText(const std::vector<Record>& records) {
    std::string out;
    for (const Record& r : records) {
        std::string tags;
        for (const std::string& t : r.tags) tags += (tags.empty() ? "" : ";") + t;
        out += r.id + '\t' + r.name + '\t' + (r.male ? "男" : "女") + '\t' +
               library::BirthSummary(r.birth) + '\t' + r.group + '\t' + tags + '\n';
    }
    return out;
}

std::optional<library::SortColumn> ParseSort(std::string_view text) {
    using library::SortColumn;
    if (text == "name") return SortColumn::Name;
    if (text == "birth") return SortColumn::Birth;
    if (text == "place") return SortColumn::Place;
    if (text == "group") return SortColumn::Group;
    if (text == "modified") return SortColumn::Modified;
    return std::nullopt;
}

// The options of every library subcommand.
struct LibraryOptions {
    std::optional<std::string> library;
    Format format = Format::Text;
    // list, find, export
    std::string text;
    std::string group;
    library::SortColumn sort = library::SortColumn::Name;
    bool descending = false;
    // show, edit, remove; export: the records chosen
    std::vector<std::string> ids;
    // add, edit
    CastOptions cast;
    std::optional<std::string> name;
    std::optional<std::string> note;
    std::vector<std::string> tags;
    std::optional<std::string> recordGroup;
    // export, import
    std::string output;
    std::string exportFormat = "json";
    bool bom = false;
    std::string file;
    std::string duplicates = "skip";
    bool dryRun = false;
};

void AddLibraryPath(Command& c, LibraryOptions& o) {
    c.AddText("--library", o.library,
              "the library file (default $QELVAR_LIBRARY, else "
              "$XDG_DATA_HOME/qelvar/library.sqlite)")
        .TypeName("FILE");
}

void AddQuery(Command& c, LibraryOptions& o) {
    c.AddText("--group", o.group, "only this group (with its subgroups)").TypeName("GROUP");
    AddParsedOption(c, "--sort", o.sort, ParseSort, "name|birth|place|group|modified",
                    "name, birth, place, group or modified", "the order (default name)");
    c.AddFlag("--descending", o.descending, "the order reversed");
}

// --note, --tag and --group of add and edit.
void AddRecordFields(Command& c, LibraryOptions& o) {
    c.AddText("--note", o.note, "notes (any text)").TypeName("TEXT");
    c.AddText("--tag", o.tags, "a tag (repeatable; edit: replaces the tags)")
        .TypeName("TAG")
        .TakeAll();
    c.AddText("--group", o.recordGroup, "the group: NAME or NAME/SUBGROUP").TypeName("GROUP");
}

int RunList(LibraryOptions& o, bool find) {
    const std::string command = find ? "library find" : "library list";
    int status = kOk;
    auto lib = OpenLibrary(command, o.library, status);
    if (!lib) return status;
    library::Query q{find ? o.text : "", o.group, o.sort, o.descending};
    const std::vector<Record> records = lib->Find(q);
    return Write(command,
                 o.format == Format::Json ? library::RecordsJsonArray(records) : ListText(records));
}

int RunShow(LibraryOptions& o) {
    int status = kOk;
    auto lib = OpenLibrary("library show", o.library, status);
    if (!lib) return status;
    std::string out;
    for (const std::string& id : o.ids) {
        const auto r = lib->Get(id);
        if (!r) return Fail("library show", "no record " + id, kMalformed);
        if (o.format == Format::Json) {
            library::AppendRecordJson(out, *r);
            out += '\n';
        } else {
            if (!out.empty()) out += '\n';
            AppendRecordText(out, *r);
        }
    }
    return Write("library show", out);
}

// Reads the birth of add/edit from the options and checks that it casts.
int TypedBirthOf(std::string_view command, const CastOptions& cast, Record& r) {
    if (const std::string problem = Contradiction(cast); !problem.empty())
        return UsageError(command, problem);
    if (const int status = BirthOfOptions(command, cast, r.birth); status != kOk) return status;
    CastOptions check;
    OptionsOfRecord(r, check);
    check.birth.today = cast.birth.today;
    CastResult result;
    if (const int status = CastFromOptions(command, check, result); status != kOk) {
        if (!result.error.empty() && status != kMalformed) std::cerr << result.error << '\n';
        return status;
    }
    return kOk;
}

void ApplyFields(const LibraryOptions& o, Record& r, bool editing) {
    if (o.name) r.name = *o.name;
    if (o.note) r.notes = *o.note;
    if (!o.tags.empty() || !editing) r.tags = o.tags;
    if (o.recordGroup) r.group = *o.recordGroup;
}

int RunAdd(LibraryOptions& o) {
    Record r;
    if (!o.name || o.name->empty()) return UsageError("library add", "--name NAME is needed");
    o.cast.format = Format::Text;
    if (const int status = TypedBirthOf("library add", o.cast, r); status != kOk) return status;
    r.male = o.cast.birth.male;
    r.conventions = o.cast.periods.conventions;
    ApplyFields(o, r, false);
    if (std::string problem = library::RecordProblem(r); !problem.empty())
        return UsageError("library add", problem);
    int status = kOk;
    auto lib = OpenLibrary("library add", o.library, status);
    if (!lib) return status;
    if (auto outcome = lib->Add(r); !outcome.ok)
        return Fail("library add", "cannot add to " + lib->Path() + ": " + outcome.error,
                    kIoFailed);
    if (o.format == Format::Json) {
        std::string out;
        library::AppendRecordJson(out, r);
        return Write("library add", out + '\n');
    }
    return Write("library add", r.id + '\n');
}

int RunEdit(LibraryOptions& o, const Command& c) {
    int status = kOk;
    auto lib = OpenLibrary("library edit", o.library, status);
    if (!lib) return status;
    auto r = lib->Get(o.ids.at(0));
    if (!r) return Fail("library edit", "no record " + o.ids[0], kMalformed);
    const CastOptions& cast = o.cast;
    if (cast.date.given || cast.moment.clock) {
        if (const int s = TypedBirthOf("library edit", cast, *r); s != kOk) return s;
    } else if (cast.birth.calendar.lunar || cast.birth.hour || cast.birth.minute ||
               cast.moment.zone || cast.moment.place || cast.moment.longitude) {
        return UsageError("library edit",
                          "a new birth is given whole: a date or --clock with "
                          "its options");
    }
    if (c.Count("--sex")) r->male = cast.birth.male;
    ChartConventions& conv = r->conventions;
    if (c.Count("--late-zi")) conv.lateZi = cast.periods.conventions.lateZi;
    if (c.Count("--leap-month")) conv.leapMonth = cast.periods.conventions.leapMonth;
    if (c.Count("--year-start")) conv.yearStart = cast.periods.conventions.yearStart;
    // The school readings: a preset replaces them all, a single switch one.
    const School& given = cast.periods.conventions.school;
    if (c.Count("--preset")) conv.school = given;
    for (const auto& [option, key] : {std::pair{"--kui-yue", "kuiYue"},
                                      {"--tian-ma", "tianMa"},
                                      {"--body-ruler-zi", "bodyRulerZi"},
                                      {"--jie-kong", "jieKong"},
                                      {"--mutagen-geng", "mutagenGeng"},
                                      {"--mutagen-wu", "mutagenWu"},
                                      {"--mutagen-ren", "mutagenRen"},
                                      {"--god-names", "godNames"},
                                      {"--stars", "stars"}}) {
        if (!c.Count(option)) continue;
        for (const SchoolField& f : SchoolFields(given))
            if (f.key == key) SetSchoolChoice(conv.school, f.key, f.value);
    }
    ApplyFields(o, *r, true);
    if (std::string problem = library::RecordProblem(*r); !problem.empty())
        return UsageError("library edit", problem);
    if (auto outcome = lib->Update(*r); !outcome.ok)
        return Fail("library edit", "cannot change " + lib->Path() + ": " + outcome.error,
                    kIoFailed);
    return Write("library edit", r->id + '\n');
}

int RunRemove(LibraryOptions& o) {
    int status = kOk;
    auto lib = OpenLibrary("library remove", o.library, status);
    if (!lib) return status;
    for (const std::string& id : o.ids) {
        if (!lib->Get(id)) return Fail("library remove", "no record " + id, kMalformed);
        if (auto outcome = lib->Remove(id); !outcome.ok)
            return Fail("library remove", outcome.error, kIoFailed);
    }
    return kOk;
}

int RunExport(LibraryOptions& o) {
    int status = kOk;
    auto lib = OpenLibrary("library export", o.library, status);
    if (!lib) return status;
    std::vector<Record> records;
    if (o.ids.empty()) {
        records = lib->Find({o.text, o.group, o.sort, o.descending});
    } else {
        for (const std::string& id : o.ids) {
            auto r = lib->Get(id);
            if (!r) return Fail("library export", "no record " + id, kMalformed);
            records.push_back(std::move(*r));
        }
    }
    const std::string data = o.exportFormat == "csv" ? library::LibraryCsv(records, o.bom)
                                                     : library::LibraryJson(records);
    if (o.output.empty()) return Write("library export", data);
    const auto written =
        WriteFileAtomically(o.output, std::as_bytes(std::span(data.data(), data.size())));
    if (!written.ok)
        return Fail("library export", "cannot write " + o.output + ": " + written.message,
                    kIoFailed);
    return kOk;
}

int RunImport(LibraryOptions& o) {
    std::ifstream in(o.file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in.good() && !in.eof()) return Fail("library import", "cannot read " + o.file, kIoFailed);
    if (!in.is_open()) return Fail("library import", "cannot read " + o.file, kIoFailed);
    library::ReadRecords read = library::ReadLibraryFile(text.str());
    if (!read.ok()) return Fail("library import", o.file + ": " + read.error, kMalformed);
    int status = kOk;
    auto lib = OpenLibrary("library import", o.library, status);
    if (!lib) return status;
    library::ImportReport report;
    const auto policy =
        o.duplicates == "merge" ? library::DuplicatePolicy::Merge : library::DuplicatePolicy::Skip;
    if (auto outcome = lib->Import(read.records, policy, report, o.dryRun); !outcome.ok)
        return Fail("library import", "nothing imported into " + lib->Path() + ": " + outcome.error,
                    kIoFailed);
    std::string out;
    if (o.format == Format::Json) {
        out = "{\"added\":";
        AppendJsonInt(out, report.added);
        out += ",\"merged\":";
        AppendJsonInt(out, report.merged);
        out += ",\"skipped\":";
        AppendJsonInt(out, report.skipped);
        out += ",\"dryRun\":";
        out += o.dryRun ? "true" : "false";
        out += ",\"backup\":";
        AppendJsonString(out, report.backup);
        out += "}\n";
    } else {
        out = std::string(o.dryRun ? "would add " : "added ") + std::to_string(report.added) +
              ", merged " + std::to_string(report.merged) + ", skipped " +
              std::to_string(report.skipped) + " duplicates\n";
        if (!report.backup.empty()) out += "backup: " + report.backup + '\n';
    }
    return Write("library import", out);
}

}  // namespace

void AddFromLibrary(Command& command, CastOptions& o) {
    command.AddText("--from-library", o.fromLibrary, "cast the birth of this library record")
        .TypeName("ID");
    command.AddText("--library", o.library, "the library file of --from-library").TypeName("FILE");
}

int LoadFromLibrary(std::string_view command, CastOptions& o) {
    if (!o.fromLibrary) return kOk;
    int status = kOk;
    auto lib = OpenLibrary(command, o.library, status);
    if (!lib) return status;
    const auto r = lib->Get(*o.fromLibrary);
    if (!r) return Fail(command, "no record " + *o.fromLibrary + " in " + lib->Path(), kMalformed);
    OptionsOfRecord(*r, o);
    return kOk;
}

Runner SetUpLibrary(Command& command) {
    auto o = std::make_shared<LibraryOptions>();
    command.SetFooter(std::string(kLibraryFooter));
    command.RequireOneSubcommand();
    auto sub = [&command, &o](const char* name, const char* summary) {
        Command c = command.AddSubcommand(name, summary);
        AddLibraryPath(c, *o);
        return c;
    };
    Command list = sub("list", "list every record (text: one line each; json: one array)");
    AddFormat(list, o->format, {Format::Text, Format::Json});
    AddQuery(list, *o);

    Command find = sub("find", "records whose name, notes, tags, date, place or group hold TEXT");
    find.AddText("TEXT", o->text, "any part of a name, note, tag or date").Required();
    AddFormat(find, o->format, {Format::Text, Format::Json});
    AddQuery(find, *o);

    Command show = sub("show", "show records by id (or a unique start of one)");
    show.AddText("ID", o->ids, "record ids").Required();
    AddFormat(show, o->format, {Format::Text, Format::Json});

    Command add = sub("add", "add a birth (given as for 'cast'); prints the new id");
    add.AddText("--name", o->name, "the person's name (required)").TypeName("NAME");
    AddDateArgument(add, o->cast.date, false, "YYYY-MM-DD, Gregorian unless --lunar");
    AddBirthOptions(add, o->cast.birth);
    AddMomentOptions(add, o->cast.moment);
    AddConventionOptions(add, o->cast.periods.conventions);
    AddRecordFields(add, *o);
    AddFormat(add, o->format, {Format::Text, Format::Json});

    Command edit = sub("edit", "change a record: the options given replace its fields");
    edit.AddText("ID", o->ids, "the record's id").Required().ExpectOne();
    edit.AddText("--name", o->name, "the person's name").TypeName("NAME");
    AddDateArgument(edit, o->cast.date, false, "a new birth date, as for 'add'");
    AddBirthOptions(edit, o->cast.birth);
    AddMomentOptions(edit, o->cast.moment);
    AddConventionOptions(edit, o->cast.periods.conventions);
    AddRecordFields(edit, *o);

    Command remove = sub("remove", "remove records by id");
    remove.AddText("ID", o->ids, "record ids").Required();

    Command exp = sub("export", "write the library (or the records named) as JSON or CSV");
    exp.AddText("ID", o->ids, "only these records");
    exp.AddText("--output", o->output, "the file (replaced whole); default standard output")
        .TypeName("FILE");
    exp.AddText("--format", o->exportFormat, "json (default) or csv")
        .OneOf({"json", "csv"})
        .TypeName("json|csv");
    exp.AddFlag("--bom", o->bom, "CSV: begin with a UTF-8 byte-order mark (for spreadsheets)");
    exp.AddText("--find", o->text, "only records matching TEXT").TypeName("TEXT");
    AddQuery(exp, *o);

    Command imp = sub("import", "add the records of a JSON or CSV file: all or none");
    imp.AddText("FILE", o->file, "the file (JSON as export writes it, or CSV)").Required();
    imp.AddText("--duplicates", o->duplicates,
                "a record with the same name and birth (or id): skip (default) or merge")
        .OneOf({"skip", "merge"})
        .TypeName("skip|merge");
    imp.AddFlag("--dry-run", o->dryRun, "count what would be added, change nothing");
    AddFormat(imp, o->format, {Format::Text, Format::Json});

    return [o, list, find, show, add, edit, remove, exp, imp]() {
        if (list.Parsed()) return RunList(*o, false);
        if (find.Parsed()) return RunList(*o, true);
        if (show.Parsed()) return RunShow(*o);
        if (add.Parsed()) return RunAdd(*o);
        if (edit.Parsed()) return RunEdit(*o, edit);
        if (remove.Parsed()) return RunRemove(*o);
        if (exp.Parsed()) return RunExport(*o);
        if (imp.Parsed()) return RunImport(*o);
        return static_cast<int>(kMalformed);
    };
}

}  // namespace qelvar::cli
