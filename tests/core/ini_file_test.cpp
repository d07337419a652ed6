#include "core/ini_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <climits>
#include <csignal>
#include <filesystem>

#include "core/ini_document.h"
#include "core/text_encoding.h"
#include "support/corpus.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

using testing::ReadAll;
using testing::TempDir;
namespace fs = std::filesystem;

// A file in a fresh folder, read through IniFile.
struct IniFixture {
  TempDir dir;
  std::string path;
  explicit IniFixture(std::string_view bytes, std::string_view name = "test.ini")
      : path(dir.Write(name, bytes)) {}
  IniFile File() const { return IniFile(path); }
};

std::string ReadValue(std::string_view bytes, std::string_view section, std::string_view key) {
  return IniDocument(std::string(bytes)).Value(section, key).value_or("<default>");
}

// The file's bytes after one write through IniFile.
std::string AfterWrite(std::string_view bytes, std::string_view section, std::string_view key,
                       std::string_view value) {
  IniFixture f(bytes);
  f.File().WriteString(section, key, value);
  return ReadAll(f.path);
}

// ---------------------------------------------------------------- reading

constexpr std::string_view kLayout =
    "orphan=before any section\r\n"
    "[Main]\r\n"
    "  Name = Rider Waite \r\n"
    "quoted=\"  spaced  \"\r\n"
    "single='x'\r\n"
    "mismatched=\"x'\r\n"
    "lonequote=\"\r\n"
    "inner=a \"b\" c\r\n"
    "empty=\r\n"
    "#hash=text ; not a comment\r\n"
    "; commented=1\r\n"
    " \t;indented=1\r\n"
    "not a key\r\n"
    "=nameless\r\n"
    "eq = a=b\r\n"
    "dup=first\r\n"
    "DUP=second\r\n"
    "tab\t=\tv\t\r\n"
    "[ main ]\r\n"
    "other=in the duplicate\r\n"
    "  [Broken header  \r\n"
    "k=v\r\n"
    "[Cut ] trailing ; [x]\r\n"
    "k=cut\r\n";

struct LayoutRead {
  std::string_view section, key, expected;
};
constexpr LayoutRead kLayoutReads[] = {
    {"Main", "Name", "Rider Waite"},
    {"MAIN", "name", "Rider Waite"},
    {" Main ", " Name ", "Rider Waite"},
    {"Main", "quoted", "  spaced  "},
    {"Main", "single", "x"},
    {"Main", "mismatched", "\"x'"},
    {"Main", "lonequote", "\""},
    {"Main", "inner", "a \"b\" c"},
    {"Main", "empty", ""},
    {"Main", "#hash", "text ; not a comment"},
    {"Main", "; commented", "<default>"},
    {"Main", ";indented", "<default>"},
    {"Main", "not a key", "<default>"},
    {"Main", "", "<default>"},
    {"Main", "eq", "a=b"},
    {"Main", "dup", "first"},
    {"Main", "tab", "v"},
    {"Main", "other", "<default>"},  // only the first [Main] is seen
    {"Main", "orphan", "<default>"},
    {"", "orphan", "<default>"},
    {"Broken header", "k", "v"},
    {"cut", "K", "cut"},
    {"Missing", "k", "<default>"},
};

TEST(IniReadTest, LinesAreTakenAsWindowsTakesThem) {
  for (const LayoutRead& c : kLayoutReads) {
    EXPECT_EQ(ReadValue(kLayout, c.section, c.key), c.expected) << c.section << " / " << c.key;
  }
}

TEST(IniReadTest, SeveralKeysOfOneSectionReadAsEachAlone) {
  const IniDocument file{std::string(kLayout)};
  for (const LayoutRead& c : kLayoutReads) {
    const std::string_view keys[] = {c.key, "absent", "NAME", c.key};
    const std::vector<std::optional<std::string>> values = file.Values(c.section, keys);
    ASSERT_EQ(values.size(), 4u);
    EXPECT_EQ(values[0].value_or("<default>"), c.expected) << c.section << " / " << c.key;
    EXPECT_EQ(values[3], values[0]);
    EXPECT_FALSE(values[1].has_value());
    const bool mainSection = EqualsIgnoreCase(c.section, "main") || c.section == " Main ";
    EXPECT_EQ(values[2].has_value(), mainSection) << c.section;
  }
  EXPECT_TRUE(file.Values("Main", {}).empty());
}

TEST(IniReadTest, NamesThatAreNotUtf8AreLookedUpRepaired) {
  // A name given with a stray byte is looked up as it would be written: the
  // byte as U+FFFD.
  const IniDocument file(
      std::string("[A\xEF\xBF\xBD"
                  "B]\r\nk\xEF\xBF\xBD=v\r\n"));
  EXPECT_EQ(file.Value("A\x80"
                       "B",
                       "k\xFF")
                .value_or("<default>"),
            "v");
  const std::string_view keys[] = {"k\xFF", "k"};
  const auto values = file.Values(
      "A\x80"
      "B",
      keys);
  EXPECT_EQ(values[0].value_or("<default>"), "v");
  EXPECT_FALSE(values[1].has_value());
}

TEST(IniReadTest, LinesEndWhereverTheyFallInTheText) {
  // Lines of every length up to three words of text, ended by CR, LF or
  // CR LF: each key is found with its whole value and nothing of the next.
  for (const std::string_view end : {"\r", "\n", "\r\n"}) {
    std::string text = "[S]" + std::string(end);
    for (std::size_t length = 0; length <= 24; ++length) {
      text += "k" + std::to_string(length) + "=" + std::string(length, 'v') + std::string(end);
    }
    text += "last=no line end";
    const IniDocument file(text);
    for (std::size_t length = 0; length <= 24; ++length) {
      EXPECT_EQ(file.Value("S", "k" + std::to_string(length)), std::string(length, 'v'))
          << length << " ended by "
          << (end.size() == 2 ? "CR LF"
              : end == "\r"   ? "CR"
                              : "LF");
    }
    EXPECT_EQ(file.Value("S", "last"), "no line end");
  }
}

TEST(IniReadTest, ListingsKeepFileOrderAndDuplicates) {
  IniFixture f(kLayout);
  const IniFile ini = f.File();
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Main", "main", "Broken header", "Cut"}));
  EXPECT_EQ(ini.ReadSection("main"),
            (std::vector<std::string>{"Name", "quoted", "single", "mismatched", "lonequote",
                                      "inner", "empty", "#hash", "eq", "dup", "DUP", "tab"}));
  EXPECT_TRUE(ini.ReadSection("Missing").empty());
  EXPECT_TRUE(IniFile(f.dir.Path("missing.ini")).ReadSections().empty());
}

TEST(IniReadTest, OnlyLettersFoldInLongNames) {
  // Names longer than a word, with the characters on either side of the
  // letters (@ [ ` {) that must not pass for them.
  const std::string text =
      "[Section Name Longer Than Two Words]\r\n"
      "key@with[marks=upper marks\r\n"
      "key`with{marks=lower marks\r\n"
      "MixedCaseKeyOfSeventeen=17\r\n"
      "z=last letter\r\n";
  EXPECT_EQ(ReadValue(text, "SECTION NAME longer than two WORDS", "KEY@WITH[MARKS"), "upper marks");
  EXPECT_EQ(ReadValue(text, "section name longer than two words", "KEY`WITH{MARKS"), "lower marks");
  EXPECT_EQ(ReadValue(text, "Section Name Longer Than Two Words", "key`with[marks"), "<default>");
  EXPECT_EQ(ReadValue(text, "Section Name Longer Than Two Words", "mixedcasekeyofseventeen"), "17");
  EXPECT_EQ(ReadValue(text, "Section Name Longer Than Two Words", "Z"), "last letter");
  EXPECT_EQ(ReadValue(text, "Section Name Longer Than Two Word", "Z"), "<default>");
}

TEST(IniReadTest, CyrillicNamesCompareWithoutCase) {
  const std::string text = "[Колода]\nИмя=Таро\nЁлка=ёж\n";
  EXPECT_EQ(ReadValue(text, "КОЛОДА", "имя"), "Таро");
  EXPECT_EQ(ReadValue(text, "колода", "ёЛКА"), "ёж");
}

TEST(IniReadTest, ValuesStopAt2047CharactersWithoutCuttingOne) {
  std::string text = "[S]\nk=\"";
  for (int i = 0; i < 3000; ++i) text += "Ж";
  text += "\"\nshort=" + std::string(2047, 'a') + "\n";
  const std::string value = ReadValue(text, "S", "k");
  EXPECT_EQ(value.size(), 2047u * 2);
  EXPECT_TRUE(IsValidUtf8(value));
  EXPECT_EQ(ReadValue(text, "S", "short").size(), 2047u);
}

TEST(IniReadTest, IntegerForms) {
  const struct {
    std::string_view text;
    std::optional<std::int32_t> value;
  } cases[] = {
      {"0", 0},
      {"-5", -5},
      {"+7", 7},
      {"0x1", 1},
      {"0X1f", 31},
      {"$1F", 31},
      {"$ff", 255},
      {"0xFFFFFFFF", -1},
      {"0x80000000", INT32_MIN},
      {"0x000000001", 1},
      {"2147483647", INT32_MAX},
      {"-2147483648", INT32_MIN},
      {"", {}},
      {"abc", {}},
      {"42abc", {}},
      {"0x", {}},
      {"$", {}},
      {"0x1G", {}},
      {"0x-1", {}},
      {"- 5", {}},
      {"-", {}},
      {"2147483648", {}},
      {"-2147483649", {}},
      {"0x100000000", {}},
      {"99999999999999999999", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseIniInteger(c.text), c.value) << c.text;

  IniFixture f("[S]\nhex=0x10\nquoted=\"12\"\nword=yes\nzero=0\ntwo=2\n");
  const IniFile ini = f.File();
  EXPECT_EQ(ini.ReadInteger("S", "hex", -1), 16);
  EXPECT_EQ(ini.ReadInteger("S", "quoted", -1), 12);
  EXPECT_EQ(ini.ReadInteger("S", "word", -1), -1);
  EXPECT_EQ(ini.ReadInteger("S", "missing", 9), 9);
  EXPECT_TRUE(ini.ReadBool("S", "two", false));
  EXPECT_FALSE(ini.ReadBool("S", "zero", true));
  EXPECT_TRUE(ini.ReadBool("S", "word", true));
  EXPECT_FALSE(ini.ReadBool("S", "word", false));
}

TEST(IniReadTest, FilesAsWindowsWritesThem) {
  const std::string text = "[Колода]\r\nИмя = Таро Уэйта\r\n";
  const std::string utf16le("\xFF\xFE[\0A\0]\0\r\0\n\0k\0=\0\x2F\x04\r\0\n\0", 22);
  const std::string cp1251 =
      "[\xCA\xEE\xEB\xEE\xE4\xE0]\r\n\xC8\xEC\xFF = \xD2\xE0\xF0\xEE \xD3\xFD\xE9\xF2\xE0\r\n";
  EXPECT_EQ(ReadValue(utf16le, "a", "K"), "Я");
  EXPECT_EQ(ReadValue(cp1251, "колода", "имя"), "Таро Уэйта");
  EXPECT_EQ(ReadValue("\xEF\xBB\xBF" + text, "Колода", "Имя"), "Таро Уэйта");
  EXPECT_EQ(ReadValue(EncodeText(text, TextEncoding::Utf16BE), "Колода", "Имя"), "Таро Уэйта");
  const std::string mixed = "[A]\rcr=1\rlf=2\ncrlf=3\r\nlast=4";
  for (std::string_view key : {"cr", "lf", "crlf", "last"}) {
    EXPECT_NE(ReadValue(mixed, "A", key), "<default>") << key;
  }
}

// ---------------------------------------------------------------- writing

TEST(IniWriteTest, ExistingKeyIsRewrittenInPlaceKeepingItsSpelling) {
  EXPECT_EQ(AfterWrite("; top\r\n[Main]\r\n  Name = old ; x\r\nname=second\r\nnext=1\r\n", "MAIN",
                       "NAME", "new"),
            "; top\r\n[Main]\r\nName=new\r\nname=second\r\nnext=1\r\n");
  // Only the first of two sections of the same name is written.
  EXPECT_EQ(AfterWrite("k=0\n[A]\nk=1\n[a]\nk=2\n", "a", "k", "3"), "k=0\n[A]\nk=3\n[a]\nk=2\n");
}

TEST(IniWriteTest, NewKeyFollowsTheSectionsLastKey) {
  EXPECT_EQ(
      AfterWrite("[A]\r\nk1=1\r\nno key here\r\n; note\r\n\r\n[B]\r\nx=1\r\n", "a", "k2", "2"),
      "[A]\r\nk1=1\r\nk2=2\r\nno key here\r\n; note\r\n\r\n[B]\r\nx=1\r\n");
  EXPECT_EQ(AfterWrite("[A]\r\n; only a note\r\n[B]\r\n", "A", "k", "v"),
            "[A]\r\nk=v\r\n; only a note\r\n[B]\r\n");
  EXPECT_EQ(AfterWrite("[A]\r\nx=1", "A", "y", "2"), "[A]\r\nx=1\r\ny=2\r\n");
  EXPECT_EQ(AfterWrite("[A]", "A", "y", "2"), "[A]\r\ny=2\r\n");
}

TEST(IniWriteTest, NewSectionGoesAtTheEnd) {
  EXPECT_EQ(AfterWrite("[A]\r\nx=1\r\n\r\n", "New", "k", "v"),
            "[A]\r\nx=1\r\n\r\n[New]\r\nk=v\r\n");
  EXPECT_EQ(AfterWrite("[A]\r\nx=1", "New", "k", "v"), "[A]\r\nx=1\r\n[New]\r\nk=v\r\n");
  EXPECT_EQ(AfterWrite("[A]\nx=1", "New", "k", "v"), "[A]\nx=1\n[New]\nk=v\n");
  EXPECT_EQ(AfterWrite("", "New", "k", "v"), "[New]\r\nk=v\r\n");
}

TEST(IniWriteTest, NewFileIsUtf8WithCrLf) {
  TempDir dir;
  IniFile ini(dir.Path("Quorlin.ini"));
  ini.WriteString("Окно", "Заголовок", "Расклад");
  ini.WriteInteger("Окно", "Left", -12);
  ini.WriteBool("Окно", "Maximized", true);
  ini.WriteBool("Окно", "Hidden", false);
  EXPECT_EQ(ReadAll(ini.FileName()),
            "[Окно]\r\nЗаголовок=Расклад\r\nLeft=-12\r\nMaximized=1\r\nHidden=0\r\n");
}

TEST(IniWriteTest, EncodingAndLineEndsAreKept) {
  EXPECT_EQ(AfterWrite("[A]\nx=1\n", "A", "x", "2"), "[A]\nx=2\n");
  EXPECT_EQ(AfterWrite("[A]\rx=1\r", "A", "y", "2"), "[A]\rx=1\ry=2\r");
  EXPECT_EQ(AfterWrite("\xEF\xBB\xBF[A]\r\nx=1\r\n", "A", "x", "Я"), "\xEF\xBB\xBF[A]\r\nx=Я\r\n");

  const std::string before = "[Колода]\r\nИмя=Таро\r\n; комментарий\r\n";
  const std::string after = "[Колода]\r\nИмя=Таро\r\nКарт=78\r\n; комментарий\r\n";
  for (TextEncoding e : {TextEncoding::Utf16LE, TextEncoding::Utf16BE, TextEncoding::Windows1251}) {
    EXPECT_EQ(AfterWrite(EncodeText(before, e), "колода", "Карт", "78"), EncodeText(after, e))
        << static_cast<int>(e);
  }
}

TEST(IniWriteTest, Utf16FileCutMidCharacterStaysAligned) {
  // "[A" and half a code unit: the half unit stays last, outside the text,
  // and neither the section's name nor what is added shifts.
  const std::string cut("\xFF\xFE[\0A\0\x0A", 7);
  const std::string after = AfterWrite(cut, "A", "k", "v");
  EXPECT_EQ(after, EncodeText("[A\r\nk=v\r\n", TextEncoding::Utf16LE) + "\x0A");
  EXPECT_EQ(ReadValue(after, "a", "K"), "v");
}

TEST(IniWriteTest, EverythingElseKeepsItsBytes) {
  // Odd bytes elsewhere in the file (a stray 0x98, which Windows-1251 lacks,
  // and trailing blanks) must come through untouched.
  const std::string before = "\x98junk  \r\n[\xC0]\r\nk=\xE0\r\n\tpad = 1 \r\n\r\n[B]\r\n";
  EXPECT_EQ(AfterWrite(before, "\xD0\x90", "k", "\xD0\xB1"),  // "А", "б"
            "\x98junk  \r\n[\xC0]\r\nk=\xE1\r\n\tpad = 1 \r\n\r\n[B]\r\n");
}

TEST(IniWriteTest, Windows1251FileThatCannotHoldTheValueBecomesUtf8) {
  const std::string before = "[\xCA\xE0\xF0\xF2\xFB]\r\nk=\xE0\r\n";  // [Карты] k=а
  const std::string after = AfterWrite(before, "Карты", "name", "日本 ✓");
  EXPECT_EQ(after, "\xEF\xBB\xBF[Карты]\r\nk=а\r\nname=日本 ✓\r\n");
}

TEST(IniWriteTest, ValuesReadBackAsWritten) {
  IniFixture f("[S]\r\n");
  IniFile ini = f.File();
  for (std::string_view value : {"  padded\t", "\"quoted\"", "'q'", "\"", "a=b;c", "", "end \""}) {
    ini.WriteString("S", "k", value);
    EXPECT_EQ(IniFile(f.path).ReadString("S", "k", "<default>"), value) << value;
  }
  EXPECT_EQ(ReadAll(f.path), "[S]\r\nk=end \"\r\n");
  // A line break cannot be stored, so it must not start a new key either.
  ini.WriteString("S", "k", "one\r\ninjected=1\ntwo");
  EXPECT_EQ(ini.ReadString("S", "k", ""), "one injected=1 two");
  EXPECT_EQ(ini.ReadSection("S"), std::vector<std::string>{"k"});
  ini.WriteString("S", "bad", "\xFF");
  EXPECT_EQ(ini.ReadString("S", "bad", ""), "\uFFFD");
  EXPECT_TRUE(IsValidUtf8(ReadAll(f.path)));
}

TEST(IniWriteTest, RefusedWritesRaiseAndLeaveTheFile) {
  IniFixture f("[S]\r\nk=1\r\n");
  IniFile ini = f.File();
  for (auto [section, key] : {std::pair<std::string_view, std::string_view>{"S", ""},
                              {"S", "a=b"},
                              {"S", "[x"},
                              {"S", ";x"},
                              {"S", "a\nb"},
                              {"S]", "k"}}) {
    EXPECT_THROW(ini.WriteString(section, key, "v"), IniWriteError) << section << " / " << key;
  }
  EXPECT_EQ(ReadAll(f.path), "[S]\r\nk=1\r\n");

  const std::string unreachable = f.path + "/inner.ini";  // its "folder" is a file
  try {
    IniFile(unreachable).WriteString("S", "k", "v");
    ADD_FAILURE() << "no error";
  } catch (const IniWriteError& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + unreachable);
  }
  EXPECT_THROW(IniFile().WriteBool("S", "k", true), IniWriteError);
  EXPECT_EQ(IniFile().ReadString("S", "k", "def"), "def");
}

TEST(IniWriteTest, ABatchReachesTheDiskWholeOrNotAtAll) {
  IniFixture f("[S]\r\nk=1\r\n");
  IniFile ini = f.File();
  IniWriteBatch refused;
  refused.WriteInteger("S", "k", 2);
  refused.WriteString("S", "a=b", "v");  // no write can make this key
  refused.WriteBool("T", "new", true);
  EXPECT_THROW(ini.Write(refused), IniWriteError);
  EXPECT_EQ(ReadAll(f.path), "[S]\r\nk=1\r\n");

  IniWriteBatch batch;
  batch.WriteInteger("S", "k", 2);
  batch.WriteBool("T", "new", true);
  batch.WriteString("s", "K", "3");  // the same key again, spelled otherwise
  ini.Write(batch);
  EXPECT_EQ(ReadAll(f.path), "[S]\r\nk=3\r\n[T]\r\nnew=1\r\n");
  EXPECT_EQ(ini.ReadInteger("S", "k", 0), 3);

  const std::string unreachable = f.path + "/inner.ini";  // its "folder" is a file
  try {
    IniFile(unreachable).Write(batch);
    ADD_FAILURE() << "no error";
  } catch (const IniWriteError& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + unreachable);
  }
  // Nothing to write makes no file.
  IniFile(f.dir.Path("new.ini")).Write(IniWriteBatch());
  EXPECT_EQ(ListDirectory(f.dir.path()), std::vector<std::string>{"test.ini"});
}

// The bytes a batch leaves in a file that held `before`.
std::string AfterBatch(std::string_view before, const IniWriteBatch& batch) {
  IniFixture f(before);
  f.File().Write(batch);
  return ReadAll(f.path);
}

TEST(IniWriteTest, ABatchMadeAtOnceLeavesTheBytesOfItsWritesOneByOne) {
  IniWriteBatch batch;
  batch.WriteInteger("A", "x", 2);     // in place
  batch.WriteInteger("B", "z", 3);     // after the last line, which has no line end
  batch.WriteString("New", "k", "v");  // a new section
  batch.WriteInteger("a", "w", 4);     // after A's last key
  batch.WriteInteger("b", "y", 5);     // in place, spelled otherwise
  batch.WriteInteger("new", "K", 6);   // the new section's key again
  batch.WriteInteger("B", "z", 7);     // the added key again
  const std::string after = "[A]\r\nx=2\r\nw=4\r\n[B]\r\ny=5\r\nz=7\r\n[New]\r\nk=6\r\n";
  EXPECT_EQ(AfterBatch("[A]\r\nx=1\r\n[B]\r\ny=1", batch), after);
  EXPECT_EQ(AfterBatch(EncodeText("[A]\r\nx=1\r\n[B]\r\ny=1", TextEncoding::Utf16BE), batch),
            EncodeText(after, TextEncoding::Utf16BE));
  // A key added to a section that ends the file goes before the new ones.
  IniWriteBatch added;
  added.WriteString("N", "a", "1");
  added.WriteString("B", "b", "2");
  EXPECT_EQ(AfterBatch("[B]\nx=1", added), "[B]\nx=1\nb=2\n[N]\na=1\n");
  // A Windows-1251 file whose last stray byte goes reads back as UTF-8, as
  // the writes one by one leave it: marked as UTF-8 from then on.
  IniWriteBatch ascii;
  ascii.WriteInteger("A", "k", 1);
  ascii.WriteInteger("A", "j", 2);
  EXPECT_EQ(AfterBatch("[A]\r\nk=\xE0\r\nj=\xD0\xB1\r\n", ascii),
            "\xEF\xBB\xBF[A]\r\nk=1\r\nj=2\r\n");
  EXPECT_EQ(AfterBatch("[\xC0]\r\nk=\xE0\r\n", ascii), "[\xC0]\r\nk=\xE0\r\n[A]\r\nk=1\r\nj=2\r\n");

  // Whatever the file, the same as one write after another; the last but
  // one ends its lines in CR and has an empty LF line after [A], which the
  // CR of the first key added there joins.
  const std::vector<std::string> files = {"",
                                          "k=0\n[A]\nk=1\n[a]\nk=2\n",
                                          "[A]\r\n; note\r\n\r\n[B]\r\n  X = 1 \r\nno key\r\n",
                                          "\xEF\xBB\xBF[A]\r\nx=\xFF\r\n",
                                          std::string("\xFF\xFE[\0A\0\x0A", 7),
                                          "[A]\rx=1\r[C]",
                                          "; mixed\r[A]\n\n[B]\n",
                                          "[\xCA\xE0\xF0\xF2\xFB]\r\nk=\xE0\r\n"};
  IniWriteBatch mixed;
  mixed.WriteString("a", "x", "  padded ");
  mixed.WriteString("C", "new", "1");
  mixed.WriteString("Карты", "имя", "Таро");
  mixed.WriteString("A", "K", "2");
  mixed.WriteString("c", "NEW", "3");
  mixed.WriteString("B", "x", "\"q\"");
  for (const std::string& file : files) {
    IniFixture one(file);
    IniFile ini = one.File();
    ini.WriteString("a", "x", "  padded ");
    ini.WriteString("C", "new", "1");
    ini.WriteString("Карты", "имя", "Таро");
    ini.WriteString("A", "K", "2");
    ini.WriteString("c", "NEW", "3");
    ini.WriteString("B", "x", "\"q\"");
    EXPECT_EQ(AfterBatch(file, mixed), ReadAll(one.path)) << file;
    EXPECT_EQ(AfterBatch(file, ascii), [&] {
      IniFixture two(file);
      two.File().WriteInteger("A", "k", 1);
      two.File().WriteInteger("A", "j", 2);
      return ReadAll(two.path);
    }()) << file;
  }
}

TEST(IniWriteTest, ABatchIntoAFileOfManySectionsTakesOnePass) {
  // Saving a spread of a thousand cards over a file of 50,000 sections: one
  // parse a write took minutes.
  std::string text;
  for (int i = 0; i < 50'000; ++i) text += "[S" + std::to_string(i) + "]\r\nk=0\r\n";
  IniWriteBatch batch;
  for (int i = 0; i < 1'000; ++i) {
    const std::string section = "S" + std::to_string(i * 7);
    batch.WriteInteger(section, "k", i);
    batch.WriteInteger(section, "added", i);
    batch.WriteInteger("New" + std::to_string(i), "k", i);
  }
  IniFixture f(text);
  const auto start = std::chrono::steady_clock::now();
  f.File().Write(batch);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  IniFile ini = f.File();
  EXPECT_EQ(ini.ReadInteger("S6993", "k", -1), 999);
  EXPECT_EQ(ini.ReadInteger("S6993", "added", -1), 999);
  EXPECT_EQ(ini.ReadInteger("S6994", "k", -1), 0);
  EXPECT_EQ(ini.ReadInteger("New999", "k", -1), 999);
  EXPECT_EQ(ini.ReadSections().size(), 51'000u);
}

TEST(IniWriteTest, DiskFullLeavesTheOldFile) {
  IniFixture f("[S]\r\nk=1\r\n");
  IniFile ini = f.File();
  {
    const testing::FileSizeLimit small(64);
    EXPECT_THROW(ini.WriteString("S", "k", std::string(1000, 'x')), IniWriteError);
  }
  EXPECT_EQ(ReadAll(f.path), "[S]\r\nk=1\r\n");
  EXPECT_EQ(ini.ReadInteger("S", "k", 0), 1);
  EXPECT_EQ(ListDirectory(f.dir.path()).size(), 1u);
}

// ---------------------------------------------------------------- freshness

void SetModified(const std::string& path, fs::file_time_type when) {
  fs::last_write_time(path, when);
}

TEST(IniCacheTest, ChangesOnDiskAreSeen) {
  IniFixture f("[S]\nk=1\n");
  const IniFile ini = f.File();
  const auto longAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
  SetModified(f.path, longAgo);
  EXPECT_EQ(ini.ReadInteger("S", "k", 0), 1);

  f.dir.Write("test.ini", "[S]\nk=22\n");  // a new size
  SetModified(f.path, longAgo);
  EXPECT_EQ(ini.ReadInteger("S", "k", 0), 22);

  f.dir.Write("test.ini", "[S]\nk=33\n");  // the same size, a new time
  SetModified(f.path, longAgo + std::chrono::nanoseconds(1));
  EXPECT_EQ(ini.ReadInteger("S", "k", 0), 33);

  // Same size and the same (recent) time stamp: a file changed twice within
  // one tick of the file system's clock is still seen to change.
  const auto justNow = fs::file_time_type::clock::now();
  f.dir.Write("test.ini", "[S]\nk=44\n");
  SetModified(f.path, justNow);
  EXPECT_EQ(ini.ReadInteger("S", "k", 0), 44);
  f.dir.Write("test.ini", "[S]\nk=55\n");
  SetModified(f.path, justNow);
  EXPECT_EQ(ini.ReadInteger("S", "k", 0), 55);

  fs::remove(f.path);
  EXPECT_EQ(ini.ReadInteger("S", "k", 0), 0);
}

TEST(IniCacheTest, UnchangedFileIsNotReadAgain) {
  IniFixture f("[S]\nk=1\n");
  const IniFile ini = f.File();
  const auto longAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
  SetModified(f.path, longAgo);
  EXPECT_EQ(ini.ReadInteger("S", "k", 0), 1);
  // Same size, time stamp put back: to the cache the file is unchanged, so
  // the parsed copy answers (which shows it was kept, not re-read).
  f.dir.Write("test.ini", "[S]\nk=2\n");
  SetModified(f.path, longAgo);
  EXPECT_EQ(ini.ReadInteger("S", "k", 0), 1);
  EXPECT_EQ(IniFile(f.path).ReadInteger("S", "k", 0), 2);
}

TEST(IniCacheTest, WritesAreSeenByThisAndOtherObjects) {
  IniFixture f("[S]\nk=1\n");
  IniFile writer = f.File();
  const IniFile reader = f.File();
  EXPECT_EQ(reader.ReadInteger("S", "k", 0), 1);
  for (int i = 2; i < 6; ++i) {  // same size each time, quicker than a clock tick
    writer.WriteInteger("S", "k", i);
    EXPECT_EQ(writer.ReadInteger("S", "k", 0), i);
    EXPECT_EQ(reader.ReadInteger("S", "k", 0), i);
  }
}

// ---------------------------------------------------------------- real files

TEST(IniCorpusTest, EveryFileParsesAndTakesAWrite) {
  REQUIRE_CORPUS("ini");
  const std::string folder = JoinPath(testing::CorpusDir(), "ini");
  std::size_t files = 0;
  for (const std::string& name : ListDirectory(folder)) {
    IniFixture f(ReadAll(JoinPath(folder, name)), name);
    IniFile ini = f.File();
    for (const std::string& section : ini.ReadSections()) {
      for (const std::string& key : ini.ReadSection(section)) {
        EXPECT_NE(ini.ReadString(section, key, "<default>"), "<default>") << name << ": " << key;
      }
    }
    ini.WriteString("Vaticor", "Checked", "yes");
    EXPECT_EQ(IniFile(f.path).ReadString("vaticor", "checked", ""), "yes") << name;
    ++files;
  }
  EXPECT_GT(files, 0u);

  const IniFile normal(JoinPath(folder, "inih-normal.ini"));
  EXPECT_EQ(normal.ReadSections(), (std::vector<std::string>{"section1", "section 2", "empty",
                                                             "comment_test", "colon_tests"}));
  EXPECT_EQ(normal.ReadString("section1", "one", ""), "This is a test  ; name=value comment");
  EXPECT_EQ(normal.ReadInteger("section 2", "happy", 0), 4);
  EXPECT_EQ(normal.ReadString("comment_test", "test;3", ""), "345 ; key should be \"test;3\"");
  EXPECT_EQ(normal.ReadString("colon_tests", "funny1 : with", ""), "equals");
  EXPECT_EQ(normal.ReadString("colon_tests", "Content-Type", "<default>"), "<default>");

  EXPECT_EQ(IniFile(JoinPath(folder, "inih-bom.ini")).ReadString("BOM_SECTION", "key“", ""),
            "value“");
  EXPECT_EQ(IniFile(JoinPath(folder, "inih-bad_section.ini")).ReadSections(),
            (std::vector<std::string>{"section1", "section2", "section3   ; comment"}));
  const IniFile duplicate(JoinPath(folder, "inih-duplicate_sections.ini"));
  EXPECT_EQ(duplicate.ReadSections().size(), 2u);
  EXPECT_EQ(duplicate.ReadString("section1", "single1", ""), "abc");
  EXPECT_EQ(duplicate.ReadSection("section1"), (std::vector<std::string>{"single1", "single2"}));
}

}  // namespace
}  // namespace vaticor
