// The main window's editing logic against a fake view and real files: Open all or nothing,
// Save converting every field before it writes, and the team and colour handlers. No toolkit:
// the same source runs natively and, cross-built, under Wine.
#include <doctest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/DemoFile.h"
#include "core/FileOps.h"
#include "core/PatchMap.h"
#include "core/TeamCatalogue.h"
#include "editor/MainEditor.h"

using namespace corvane;
namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kButtonFace = 0x8000000F;  // a system colour, as the buttons start

// Everything the view shows that a command may change.
struct Shown {
    struct Slot {
        std::array<std::string, 3> components;
        int transparency = 0;
        std::uint32_t colour = kButtonFace;
        std::string caption, hex;
        bool operator==(const Slot&) const = default;
    };
    std::array<std::string, 4> ids, clubs;
    std::array<std::vector<std::string>, 4> lists;
    std::array<Slot, 2> slots;
    std::set<Command> enabled;
    bool operator==(const Shown&) const = default;
};

class FakeView : public MainView {
public:
    Shown s;
    std::vector<std::pair<std::string, MessageKind>> messages;
    std::optional<NamedFile> fileAnswer;  // nothing: the user cancels
    std::vector<std::array<std::string, 3>> fileAsks;
    std::optional<std::uint32_t> colourAnswer;  // nothing: the user cancels
    std::vector<std::uint32_t> colourAsks;

    Shown::Slot& slot(ColourSlotId id) { return s.slots[id == ColourSlotId::Exhibition ? 0 : 1]; }
    const Shown::Slot& slot(ColourSlotId id) const {
        return s.slots[id == ColourSlotId::Exhibition ? 0 : 1];
    }
    static std::size_t at(TeamSlot team) { return static_cast<std::size_t>(team); }

    std::string TeamIdText(TeamSlot t) const override { return s.ids[at(t)]; }
    void SetTeamIdText(TeamSlot t, const std::string& text) override { s.ids[at(t)] = text; }
    std::string ClubText(TeamSlot t) const override { return s.clubs[at(t)]; }
    void SetClubText(TeamSlot t, const std::string& text) override { s.clubs[at(t)] = text; }
    void AddClubs(TeamSlot t, const std::vector<std::string_view>& names) override {
        s.lists[at(t)].insert(s.lists[at(t)].end(), names.begin(), names.end());
    }
    std::string ComponentText(ColourSlotId id, Component c) const override {
        return slot(id).components[ComponentIndex(c)];
    }
    void SetComponentText(ColourSlotId id, Component c, const std::string& text) override {
        slot(id).components[ComponentIndex(c)] = text;
    }
    int Transparency(ColourSlotId id) const override { return slot(id).transparency; }
    void SetTransparency(ColourSlotId id, int value) override { slot(id).transparency = value; }
    std::uint32_t ButtonColour(ColourSlotId id) const override { return slot(id).colour; }
    void SetButtonColour(ColourSlotId id, std::uint32_t colour) override {
        slot(id).colour = colour;
    }
    void SetButtonCaption(ColourSlotId id, const std::string& text) override {
        slot(id).caption = text;
    }
    void SetHexText(ColourSlotId id, const std::string& text) override { slot(id).hex = text; }
    void Enable(Command command) override { s.enabled.insert(command); }
    void ShowMessage(const std::string& text, MessageKind kind) override {
        messages.emplace_back(text, kind);
    }
    std::optional<NamedFile> AskFile(const std::string& title, const std::string& filter,
                                     const fs::path& current) override {
        fileAsks.push_back({title, filter, current.string()});
        return fileAnswer;
    }
    std::uint32_t AskColour(std::uint32_t initial) override {
        colourAsks.push_back(initial);
        return colourAnswer.value_or(initial);
    }
};

// Counts the opens, and fails the sync on request as a failing disk does.
class CountingOps : public ForwardingFileOps {
public:
    int opens = 0;
    bool syncFails = false;
    Handle open(const fs::path& path, Access access) override {
        ++opens;
        return ForwardingFileOps::open(path, access);
    }
    bool sync(Handle h) override { return !syncFails && ForwardingFileOps::sync(h); }
    std::string lastErrorMessage() override {
        return syncFails ? "the disk failed" : ForwardingFileOps::lastErrorMessage();
    }
};

// A demo file of `size` bytes (a hole of zeros) holding `values`, in a folder of its own.
struct TempDemo {
    fs::path dir, path;
    explicit TempDemo(const PatchValues& values = {}, std::uintmax_t size = kMinimumFileSize) {
        dir = fs::temp_directory_path() /
              ("corvane-editor-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir);
        path = dir / "pes2012.exe";
        std::ofstream(path, std::ios::binary).put('M');
        fs::resize_file(path, size);
        if (size >= kMinimumFileSize) {
            WritePatch(path, values);
        }
    }
    ~TempDemo() {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
};

const PatchValues kSample{{1264, -1, 327, 200}, {255, 128, 0, 200}, {0x12, 0x34, 0x56, 0xFF}};

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST_CASE("open fills every field, lists the clubs once and enables the commands") {
    struct Row {
        const char* name;
        PatchValues values;
        std::array<const char*, 4> ids, clubs;
        std::array<Shown::Slot, 2> slots;
    };
    const Row rows[] = {
        {"sample",
         kSample,
         {"1264", "-1", "327", "200"},
         {"CLUB AMERICA", "", "S.S.C. NAPOLI", ""},
         {{{{"255", "128", "0"}, 200, 0x0080FF, "80FF", "80FF"},
           {{"18", "52", "86"}, 255, 0x563412, "563412", "563412"}}}},
        {"edges",
         {{100, 0, -32768, 32767}, {0, 0, 0, 0}, {255, 255, 255, 1}},
         {"100", "0", "-32768", "32767"},
         {"MANCHESTER UNITED", "", "", ""},
         {{{{"0", "0", "0"}, 0, 0, "0", "0"},
           {{"255", "255", "255"}, 1, 0xFFFFFF, "FFFFFF", "FFFFFF"}}}},
    };
    std::vector<std::string> catalogue;
    for (const Team& club : kTeamCatalogue) {
        catalogue.emplace_back(club.name);
    }
    for (const Row& row : rows) {
        CAPTURE(row.name);
        TempDemo first(kSample), demo(row.values);
        FakeView view;
        MainEditor editor(view);
        view.s.clubs = {"old", "old", "old", "old"};  // a known ID replaces, an unknown clears
        REQUIRE(editor.OpenFile(first.path));
        REQUIRE(editor.OpenFile(demo.path));
        CHECK(editor.FileName() == demo.path);
        for (std::size_t i = 0; i < 4; ++i) {
            CHECK(view.s.ids[i] == row.ids[i]);
            CHECK(view.s.clubs[i] == row.clubs[i]);
            CHECK(view.s.lists[i] == catalogue);
        }
        CHECK(view.s.slots == row.slots);
        CHECK(view.s.enabled ==
              std::set<Command>{Command::Pages, Command::SaveMenu, Command::SaveButton});
        CHECK(view.messages.empty());
    }
}

// A cancelled dialog, a name that names no file, or a file that cannot be read change nothing:
// not the fields, not the enabled commands, not the file a save writes to.
TEST_CASE("a failed or cancelled open changes nothing") {
    TempDemo good(kSample), tooShort({}, 1000);
    struct Row {
        const char* name;
        std::optional<NamedFile> answer;
        const char* says;  // in the message after its first line; none for a cancel
    };
    const Row rows[] = {
        {"cancelled", std::nullopt, nullptr},
        {"missing", NamedFile{good.dir / "gone.exe", {}}, "gone.exe"},
        {"too short", NamedFile{tooShort.path, {}}, "is too short"},
        {"a folder", NamedFile{good.dir, {}}, "Cannot open"},
        {"no exact name", NamedFile{std::nullopt, "stands for bytes"}, "stands for bytes"},
    };
    for (const Row& row : rows) {
        for (const bool opened : {false, true}) {
            CAPTURE(row.name);
            CAPTURE(opened);
            FakeView view;
            CountingOps ops;
            MainEditor editor(view, ops);
            if (opened) {
                REQUIRE(editor.OpenFile(good.path));
            }
            const Shown before = view.s;
            view.fileAnswer = row.answer;
            editor.Open();
            CHECK(view.s == before);
            CHECK(editor.FileName() == (opened ? good.path : fs::path()));
            REQUIRE(view.messages.size() == (row.says ? 1u : 0u));
            if (row.says) {
                const auto& [text, kind] = view.messages[0];
                CHECK(text.rfind("The file was not opened; nothing has changed.\n\n", 0) == 0);
                CHECK(Contains(text, row.says));
                CHECK(kind == MessageKind::Warning);
            }
            view.messages.clear();
            const int opens = ops.opens;
            editor.Save();  // still to the file opened before, or nowhere
            CHECK(view.messages.size() == (opened ? 1u : 0u));
            CHECK(ops.opens == opens + (opened ? 1 : 0));
        }
    }
}

TEST_CASE("the open dialog is asked with its title, its two types and the file open") {
    TempDemo demo(kSample);
    FakeView view;
    MainEditor editor(view);
    view.fileAnswer = NamedFile{demo.path, {}};
    editor.Open();
    editor.Open();
    REQUIRE(view.fileAsks.size() == 2);
    const std::array<std::string, 3> first{"pes2012.exe",
                                           "pes2012.exe (*.exe)|*.exe| All Files (*.*)|*.*", ""};
    CHECK(view.fileAsks[0] == first);
    CHECK(view.fileAsks[1][2] == demo.path.string());
}

// Every field is converted before the file is opened: a bad one in any position writes
// nothing, and the message names it and its text.
TEST_CASE("save converts every field first and names a bad one") {
    using Edit = std::function<void(FakeView&)>;
    const auto component = [](ColourSlotId id, Component c, const char* text) -> Edit {
        return [=](FakeView& v) { v.SetComponentText(id, c, text); };
    };
    const auto transparency = [](ColourSlotId id, int value) -> Edit {
        return [=](FakeView& v) { v.SetTransparency(id, value); };
    };
    const auto E = ColourSlotId::Exhibition;
    const auto F = ColourSlotId::Font;
    struct Row {
        Edit edit;
        const char* says;
    };
    const Row rows[] = {
        {[](FakeView& v) { v.s.ids[0] = "40000"; }, "team 1: \"40000\""},
        {[](FakeView& v) { v.s.ids[3] = "12a"; }, "team 4: \"12a\""},
        {component(E, Component::Red, ""), "Loading Icon (Exhibition) red: \"\""},
        {component(E, Component::Green, "256"), "Loading Icon (Exhibition) green: \"256\""},
        {component(E, Component::Blue, "255.5"), "Loading Icon (Exhibition) blue: \"255.5\""},
        {transparency(E, 256), "Loading Icon (Exhibition) transparency: 256 is not"},
        {component(F, Component::Red, "-1"), "Pes Fonts Color red: \"-1\""},
        {component(F, Component::Green, "abc"), "Pes Fonts Color green: \"abc\""},
        {component(F, Component::Blue, "0x10"), "Pes Fonts Color blue: \"0x10\""},
        {transparency(F, -1), "Pes Fonts Color transparency: -1 is not"},
    };
    TempDemo demo(kSample);
    for (const Row& row : rows) {
        CAPTURE(row.says);
        FakeView view;
        CountingOps ops;
        MainEditor editor(view, ops);
        REQUIRE(editor.OpenFile(demo.path));
        view.s.ids[1] = "7";  // a good edit before the bad one is not written either
        row.edit(view);
        editor.Save();
        CHECK(ops.opens == 1);
        REQUIRE(view.messages.size() == 1);
        CHECK(view.messages[0].first.rfind("Nothing was saved.\n\n", 0) == 0);
        CHECK(Contains(view.messages[0].first, row.says));
        CHECK(view.messages[0].second == MessageKind::Warning);
        CHECK(ReadPatch(demo.path) == kSample);
    }
}

// "Ready!!!" only when the write succeeded; a failed one says what and where.
TEST_CASE("save writes every field and says Ready!!! only on success") {
    struct Row {
        const char* name;
        std::function<void(TempDemo&, CountingOps&)> fault;
        const char* says;
    };
    const Row rows[] = {
        {"written", [](TempDemo&, CountingOps&) {}, nullptr},
        {"the sync fails", [](TempDemo&, CountingOps& ops) { ops.syncFails = true; },
         "the disk failed"},
        {"the file was removed", [](TempDemo& d, CountingOps&) { fs::remove(d.path); },
         "pes2012.exe"},
    };
    for (const Row& row : rows) {
        CAPTURE(row.name);
        TempDemo demo(kSample);
        FakeView view;
        CountingOps ops;
        MainEditor editor(view, ops);
        REQUIRE(editor.OpenFile(demo.path));
        view.s.ids = {"100", "-2", "32767", "1263"};
        view.slot(ColourSlotId::Exhibition).components = {"1", "2", "12.5"};
        view.slot(ColourSlotId::Font).components = {" 250 ", "251.5", "0"};
        view.SetTransparency(ColourSlotId::Font, 4);
        row.fault(demo, ops);
        editor.Save();
        REQUIRE(view.messages.size() == 1);
        const auto& [text, kind] = view.messages[0];
        if (!row.says) {
            CHECK(text == "Ready!!!");
            CHECK(kind == MessageKind::Plain);
            const PatchValues saved{{100, -2, 32767, 1263}, {1, 2, 12, 200}, {250, 252, 0, 4}};
            CHECK(ReadPatch(demo.path) == saved);
            continue;
        }
        CHECK(text.rfind("The save failed.\n\n", 0) == 0);
        CHECK(Contains(text, row.says));
        CHECK(!Contains(text, "Ready!!!"));
        CHECK(kind == MessageKind::Warning);
        if (fs::exists(demo.path)) {
            CHECK(ReadPatch(demo.path) == kSample);  // put back as it was
        }
    }
}

TEST_CASE("choosing a club writes its ID into its own slot only") {
    struct Row {
        const char* club;
        const char* id;  // in team slot 2 afterwards
    };
    const Row rows[] = {{"PENAROL", "1263"}, {"penarol", "327"}, {"", "327"}};
    TempDemo demo(kSample);
    for (const Row& row : rows) {
        CAPTURE(row.club);
        FakeView view;
        MainEditor editor(view);
        REQUIRE(editor.OpenFile(demo.path));
        Shown expected = view.s;
        view.s.clubs[2] = expected.clubs[2] = row.club;
        expected.ids[2] = row.id;
        editor.Combo_Change(2);
        CHECK(view.s == expected);
    }
}

// The dialog starts at the button's colour; a chosen colour fills the three fields, the hex
// field and the button, and a cancel shows them again from the colour the button keeps. The
// transparency is left alone.
TEST_CASE("a colour pick fills its slot's fields, button and hex field") {
    struct Row {
        ColourSlotId slot;
        std::optional<std::uint32_t> answer;
        Shown::Slot after;
    };
    const Row rows[] = {
        {ColourSlotId::Exhibition,
         0xFF0000,
         {{"0", "0", "255"}, 200, 0xFF0000, "FF0000", "FF0000"}},
        {ColourSlotId::Font, 0x0000FF, {{"255", "0", "0"}, 255, 0x0000FF, "FF", "FF"}},
        {ColourSlotId::Exhibition,
         std::nullopt,
         {{"255", "128", "0"}, 200, 0x80FF, "80FF", "80FF"}},
    };
    TempDemo demo(kSample);
    for (const Row& row : rows) {
        CAPTURE(row.answer.value_or(0xFFFFFFFF));
        FakeView view;
        MainEditor editor(view);
        REQUIRE(editor.OpenFile(demo.path));
        const Shown::Slot before = view.slot(row.slot);
        view.SetComponentText(row.slot, Component::Red, "7");  // replaced by the pick
        Shown expected = view.s;
        view.colourAnswer = row.answer;
        editor.ChooseColour(row.slot);
        CHECK(view.colourAsks == std::vector<std::uint32_t>{before.colour});
        expected.slots[row.slot == ColourSlotId::Exhibition ? 0 : 1] = row.after;
        CHECK(view.s == expected);
        CHECK(view.messages.empty());
    }
}
