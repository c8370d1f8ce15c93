// dirlist through the host, on temporary trees, and its decorated export.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "dynamic_symbols.h"
#include "host_suite.h"
#include "temp_tree.h"

namespace {

// The call spec names the export by its decorated name.
const std::string kDirlist = "_Z7dirlistPcS_";

class Dirlist : public HostSuite {
protected:
    static void SetUpTestSuite() { open_session("folderwalk_dirlist.db"); }
    struct Listing {
        int ret = -1;
        std::string out;
        // The names, each of which was followed by "#".
        std::multiset<std::string> names() const {
            std::multiset<std::string> s;
            for (size_t from = 0, at; (at = out.find('#', from)) != std::string::npos; from = at + 1)
                s.insert(out.substr(from, at - from));
            return s;
        }
    };
    static Listing list(const std::string &dir) {
        extproc::CallResult r = session_->call("folderwalk", kDirlist, {dir});
        EXPECT_TRUE(r.ok()) << r.error;
        Listing l;
        l.ret = r.ret;
        if (const extproc::OutValue *v = r.out("out")) l.out = v->value;
        return l;
    }
    TempTree tree;
};

using Names = std::multiset<std::string>;

TEST_F(Dirlist, ListsPlainSubdirectoriesWithTheDotEntries) {
    std::string empty = tree.dir("empty");
    Listing l = list(empty);
    EXPECT_EQ(l.ret, 0);
    EXPECT_EQ(l.out.size(), 5u) << l.out;
    EXPECT_EQ(l.names(), (Names{".", ".."}));

    tree.dir("d/alpha/nested");
    tree.dir("d/beta gamma");
    tree.dir("d/.hidden");
    tree.dir("d/ro");
    tree.read_only("d/ro");
    tree.file("d/file.txt");
    tree.file("d/.profile");
    tree.link("d/link", tree.path("empty"));
    l = list(tree.path("d"));
    EXPECT_EQ(l.ret, 0);
    EXPECT_EQ(l.names(), (Names{".", "..", "alpha", "beta gamma"})) << l.out;
    EXPECT_EQ(l.out.back(), '#');

    // The path may use "\" and a drive, as the original platform's.
    EXPECT_EQ(list(tree.root() + "\\d\\alpha").names(), (Names{".", "..", "nested"}));
    setenv("NDL_DRIVE_ROOT", tree.root().c_str(), 1);
    EXPECT_EQ(list("C:\\d\\alpha").names(), (Names{".", "..", "nested"}));
    unsetenv("NDL_DRIVE_ROOT");
}

TEST_F(Dirlist, UnsearchableDirectoriesAnswerOneAndNothing) {
    tree.file("file");
    for (const std::string &dir : {tree.path("missing"), tree.path("file"), std::string()}) {
        SCOPED_TRACE(dir);
        Listing l = list(dir);
        if (dir.empty()) {
            // "\*" is the root's listing.
            EXPECT_EQ(l.ret, 0);
            continue;
        }
        EXPECT_EQ(l.ret, 1);
        EXPECT_EQ(l.out, "");
    }
}

TEST_F(Dirlist, PatternMustFitThreeHundredCharacters) {
    // "%s\*" of the directory: 297 characters fit, 298 do not.
    std::string rel = "p";
    while (tree.path(rel).size() + 101 < 297) rel += "/" + std::string(100, 'p');
    size_t room = 297 - tree.path(rel).size() - 1;
    std::string fits = tree.dir(rel + "/" + std::string(room, 'f'));
    std::string over = tree.dir(rel + "/" + std::string(room + 1, 'o'));
    ASSERT_EQ(fits.size(), 297u);
    ASSERT_EQ(over.size(), 298u);
    EXPECT_EQ(list(fits).ret, 0);
    Listing l = list(over);
    EXPECT_EQ(l.ret, 1);
    EXPECT_EQ(l.out, "");
}

TEST_F(Dirlist, ResultIsBoundedByItsCapacity) {
    // ".#..#" and 127 names of 254 characters, then two that end the
    // listing at exactly 32,767 characters: it fits with its terminator.
    for (int i = 0; i < 127; ++i) {
        std::string n = std::to_string(i);
        tree.dir("big/" + n + std::string(254 - n.size(), 'x'));
    }
    tree.dir("big/" + std::string(187, 'y'));
    tree.dir("big/" + std::string(188, 'z'));
    Listing l = list(tree.path("big"));
    EXPECT_EQ(l.ret, 0);
    EXPECT_EQ(l.out.size(), 32767u);
    EXPECT_EQ(l.names().size(), 131u);

    tree.dir("big/w");
    l = list(tree.path("big"));
    EXPECT_EQ(l.ret, 1);
    EXPECT_EQ(l.out, "");
}

TEST(FolderwalkExports, DirlistUnderItsDecoratedNameOnly) {
    std::map<std::string, char> symbols;
    if (!dynamic_symbols(std::string(NDL_BIN_DIR) + "/libfolderwalk.so", symbols)) GTEST_SKIP() << "nm is not available";
    std::set<std::string> exported;
    for (const auto &[name, type] : symbols)
        if (type == 'T') exported.insert(name);
    EXPECT_TRUE(exported.count(kDirlist)) << "no dirlist(char*, char*)";
    EXPECT_FALSE(symbols.count("dirlist"));
    // Nothing else of the library's own.
    for (const std::string &name : exported)
        EXPECT_TRUE(name == kDirlist || (name.starts_with("_") && !name.starts_with("_Z"))) << name;
}

}  // namespace
