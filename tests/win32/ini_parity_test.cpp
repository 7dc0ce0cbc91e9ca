// The same INI cases through the in-memory CFakePlatform, which the native
// tests rely on, and through the system's own profile functions. Each case
// states what Windows gives; the system must give it (which checks the case)
// and the fake must give the same.
//
// Writing cases keep every line of the file in its plain form (key=value, no
// blank lines, CRLF): Wine writes a profile back from its parsed form, so it
// drops blank lines, the blanks around '=' and before a written value, and
// turns LF into CRLF in lines it never touched, where Windows changes only
// the one line. The fake follows Windows there, which Wine cannot confirm.
#include "fake_platform.h"
#include "temp_folder.h"
#include "win32_platform.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>

namespace {

const char kFakeFolder[] = "C:\\ini";
const char kNoFile[] = "<no file>";

struct ReadCase {
    const char* name;
    const char* content; // kNoFile: the file does not exist
    const char* section;
    const char* key;
    const char* defaultValue;
    unsigned size;
    const char* expected;
};

struct ReadResult {
    unsigned length;
    std::string value;
};

const ReadCase kReadCases[] = {
    {"ExactNames", "[INSTDATA]\r\nQuitKv=0\r\n", "INSTDATA", "QuitKv", "d", 260, "0"},
    {"SectionInOtherCase", "[instdata]\r\nQuitKv=0\r\n", "INSTDATA", "QuitKv", "d", 260, "0"},
    {"KeyInOtherCase", "[INSTDATA]\r\nQUITKV=0\r\n", "INSTDATA", "QuitKv", "d", 260, "0"},
    {"BlanksAroundValue", "[S]\r\nKey=  a b  \r\n", "S", "Key", "d", 260, "a b"},
    {"TabsAroundValue", "[S]\r\nKey=\ta b\t\r\n", "S", "Key", "d", 260, "a b"},
    {"BlanksAroundKey", "[S]\r\n  Key  =v\r\n", "S", "Key", "d", 260, "v"},
    {"DoubleQuotes", "[S]\r\nKey=\"a b\"\r\n", "S", "Key", "d", 260, "a b"},
    {"SingleQuotes", "[S]\r\nKey='a b'\r\n", "S", "Key", "d", 260, "a b"},
    {"QuotesInsideBlanks", "[S]\r\nKey=  \"x\"  \r\n", "S", "Key", "d", 260, "x"},
    {"OpeningQuoteOnly", "[S]\r\nKey=\"abc\r\n", "S", "Key", "d", 260, "\"abc"},
    {"MismatchedQuotes", "[S]\r\nKey=\"abc'\r\n", "S", "Key", "d", 260, "\"abc'"},
    {"InnerQuotes", "[S]\r\nKey=a\"b\"c\r\n", "S", "Key", "d", 260, "a\"b\"c"},
    {"EqualsInValue", "[S]\r\nKey=a=b\r\n", "S", "Key", "d", 260, "a=b"},
    {"EmptyValue", "[S]\r\nKey=\r\n", "S", "Key", "d", 260, ""},
    {"MissingKey", "[S]\r\nOther=1\r\n", "S", "Key", "d", 260, "d"},
    {"KeyOnlyInAnotherSection", "[T]\r\nKey=1\r\n[S]\r\n", "S", "Key", "d", 260, "d"},
    {"MissingSection", "[T]\r\nKey=1\r\n", "S", "Key", "d", 260, "d"},
    {"MissingFile", kNoFile, "S", "Key", "d", 260, "d"},
    {"DefaultLosesTrailingBlanks", kNoFile, "S", "Key", "d e  ", 260, "d e"},
    {"LineFeedsOnly", "[S]\nA=1\nKey=v\n", "S", "Key", "d", 260, "v"},
    {"ValueCutToSize", "[S]\r\nKey=abcdefgh\r\n", "S", "Key", "d", 5, "abcd"},
    {"DefaultCutToSize", kNoFile, "S", "Key", "abcdefgh", 5, "abcd"},
    {"DoubleByteValue", "[S]\r\nKey=表示\r\n", "S", "Key", "d", 260, "表示"},
    {"DuplicateKeyFirstWins", "[S]\r\nKey=1\r\nKey=2\r\n", "S", "Key", "d", 260, "1"},
    {"DuplicateSection", "[S]\r\nA=1\r\n[S]\r\nKey=2\r\n", "S", "Key", "d", 260, "d"},
    {"LinesBeforeSection", "Key=0\r\n[S]\r\nKey=1\r\n", "S", "Key", "d", 260, "1"},
    {"QuotedPair", "[S]\r\nKey=\"a\" \"b\"\r\n", "S", "Key", "d", 260, "a\" \"b"},
    {"OnlyQuote", "[S]\r\nKey=\"\r\n", "S", "Key", "d", 260, "\""},
    {"NoInlineComments", "[S]\r\nKey=v ; c\r\n", "S", "Key", "d", 260, "v ; c"},
    {"DefaultKeepsLeadingBlanks", kNoFile, "S", "Key", "  d", 260, "  d"},
    {"EmptyQuotes", "[S]\r\nKey=\"\"\r\n", "S", "Key", "d", 260, ""},
    {"NullDefault", kNoFile, "S", "Key", nullptr, 260, ""},
    {"ValueExactlyFits", "[S]\r\nKey=abcd\r\n", "S", "Key", "d", 5, "abcd"},
    {"SizeOne", "[S]\r\nKey=abcd\r\n", "S", "Key", "d", 1, ""},
};

struct WriteCase {
    const char* name;
    const char* content; // kNoFile: the file does not exist
    const char* section;
    const char* key;
    const char* value;
    const char* expected;
};

const WriteCase kWriteCases[] = {
    {"ReplaceInPlace", "[S]\r\na=1\r\nKey=old\r\nb=2\r\n", "S", "Key", "new",
     "[S]\r\na=1\r\nKey=new\r\nb=2\r\n"},
    {"ReplaceKeepsTheFilesSpelling", "[s]\r\nkey=old\r\n", "S", "Key", "new", "[s]\r\nkey=new\r\n"},
    {"ReplaceWithEmpty", "[S]\r\nKey=old\r\n", "S", "Key", "", "[S]\r\nKey=\r\n"},
    {"AppendInSectionBeforeTheNext", "[S]\r\na=1\r\n[T]\r\nb=2\r\n", "S", "Key", "new",
     "[S]\r\na=1\r\nKey=new\r\n[T]\r\nb=2\r\n"},
    {"AppendInSectionAtTheEnd", "[S]\r\na=1\r\n", "S", "Key", "new", "[S]\r\na=1\r\nKey=new\r\n"},
    {"AppendAfterALastLineWithoutLineEnd", "[S]\r\na=1", "S", "Key", "new",
     "[S]\r\na=1\r\nKey=new\r\n"},
    {"NewSectionAtTheEnd", "[T]\r\nb=2\r\n", "S", "Key", "new", "[T]\r\nb=2\r\n[S]\r\nKey=new\r\n"},
    {"NewFile", kNoFile, "S", "Key", "a b", "[S]\r\nKey=a b\r\n"},
    {"DoubleByteValue", "[S]\r\nKey=old\r\n", "S", "Key", "D:\\表\\dl",
     "[S]\r\nKey=D:\\表\\dl\r\n"},
    {"NewSectionAfterALastLineWithoutLineEnd", "[T]\r\nb=2", "S", "Key", "new",
     "[T]\r\nb=2\r\n[S]\r\nKey=new\r\n"},
    {"EmptyFile", "", "S", "Key", "new", "[S]\r\nKey=new\r\n"},
};

class IniParity : public ::testing::Test {
  protected:
    TempFolder folder{"kvini"};
    CFakePlatform fake;
    CWin32Platform system;
    unsigned fileCount = 0;

    void SetUp() override { fake.files.AddDirectory(kFakeFolder); }

    // A fresh file name for each case: the system keeps a parsed copy of the
    // last profiles it read, keyed by name and write time.
    std::string NextName() { return "case" + std::to_string(++fileCount) + ".ini"; }

    std::string FakePath(const std::string& name) { return std::string(kFakeFolder) + "\\" + name; }

    void Prepare(const char* content, const std::string& name) {
        if (content == kNoFile)
            return;
        fake.files.AddFile(FakePath(name), content);
        folder.WriteFile(name, content);
    }

    std::string FakeText(const std::string& name) {
        const FakeEntry* file = fake.files.Find(FakePath(name));
        return file == nullptr ? "<missing>" : file->content;
    }

    static ReadResult Read(CPlatform& platform, const ReadCase& c, const std::string& path) {
        char buffer[300];
        std::memset(buffer, '#', sizeof buffer);
        buffer[sizeof buffer - 1] = '\0';
        unsigned length = platform.GetPrivateProfileStringA(c.section, c.key, c.defaultValue,
                                                            buffer, c.size, path.c_str());
        return {length, buffer};
    }
};

TEST_F(IniParity, Reading) {
    for (const ReadCase& c : kReadCases) {
        SCOPED_TRACE(c.name);
        const std::string name = NextName();
        Prepare(c.content, name);
        const ReadResult real = Read(system, c, folder.Path(name));
        const ReadResult faked = Read(fake, c, FakePath(name));
        EXPECT_EQ(c.expected, real.value);
        EXPECT_EQ(real.value, faked.value);
        EXPECT_EQ(real.length, faked.length);
    }
}

TEST_F(IniParity, Writing) {
    for (const WriteCase& c : kWriteCases) {
        SCOPED_TRACE(c.name);
        const std::string name = NextName();
        Prepare(c.content, name);
        const bool real =
            system.WritePrivateProfileStringA(c.section, c.key, c.value, folder.Path(name).c_str());
        const bool faked =
            fake.WritePrivateProfileStringA(c.section, c.key, c.value, FakePath(name).c_str());
        EXPECT_TRUE(real);
        EXPECT_EQ(real, faked);
        EXPECT_EQ(c.expected, folder.ReadFile(name));
        EXPECT_EQ(folder.ReadFile(name), FakeText(name));
    }
}

// A read-only file cannot be compared here: the tests run as root, and Wine
// leaves the refusal to the Unix permissions, which root passes.
TEST_F(IniParity, WritingIntoAMissingFolderFails) {
    const std::string missing = "missing\\" + NextName();
    EXPECT_FALSE(
        system.WritePrivateProfileStringA("S", "Key", "new", folder.Path(missing).c_str()));
    EXPECT_FALSE(fake.WritePrivateProfileStringA("S", "Key", "new", FakePath(missing).c_str()));
    EXPECT_FALSE(folder.Exists("missing"));
}

} // namespace
