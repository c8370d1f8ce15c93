// The directory procedures through the host, on temporary trees: hidden and
// read-only folders, links out of the tree, nested content, refused names.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "call_check.h"
#include "host_suite.h"
#include "temp_tree.h"

namespace {

using addrtest::Case;
const std::string N = "<null>";

class DirProcedures : public HostSuite {
protected:
    static void SetUpTestSuite() { open_session("addrkit_dirprocs.db"); }
    void run(const std::vector<Case> &cases) {
        for (const Case &c : cases) {
            std::string diff = addrtest::check(session_->call("addrkit", c.procedure, c.args), c);
            EXPECT_TRUE(diff.empty()) << diff;
        }
    }
    // BASE\NAME as the messages show it.
    std::string shown(const std::string &name) const { return base + "\\" + name; }

    TempTree tree;
    std::string base = tree.dir("base");
};

TEST_F(DirProcedures, CheckFindsDirectoriesOnly) {
    tree.dir("base/plain/nested");
    tree.dir("base/.hidden");
    tree.dir("base/ro");
    tree.read_only("base/ro");
    tree.file("base/file");
    tree.dir("outside/inner");
    tree.link("base/link", tree.path("outside"));
    run({
        {"C_check_dir", {base, "plain"}, 0, {{"error", N}}},
        {"C_check_dir", {base, "plain\\nested"}, 0, {{"error", N}}},
        {"C_check_dir", {base, "plain/nested/"}, 0, {{"error", N}}},
        // Further attribute bits do not make a directory a file.
        {"C_check_dir", {base, ".hidden"}, 0, {{"error", N}}},
        {"C_check_dir", {base, "ro"}, 0, {{"error", N}}},
        {"C_check_dir", {base, "file"}, 2, {{"error", "Check directory failed for " + shown("file") + "\n"}}},
        {"C_check_dir", {base, "missing"}, 2, {{"error", "Check directory failed for " + shown("missing") + "\n"}}},
        {"C_check_dir", {base, "missing\\x"}, 2, {{"error", "^Check directory failed for "}}},
        // Links are not followed, neither at the end nor on the way.
        {"C_check_dir", {base, "link"}, 2, {{"error", "^Check directory failed for "}}},
        {"C_check_dir", {base, "link\\inner"}, 2, {{"error", "^Check directory failed for "}}},
        {"C_check_dir", {tree.root(), "outside\\inner"}, 0, {{"error", N}}},
    });
    // The base itself may be given with "\" and may be reached through a link.
    tree.link("baselink", base);
    run({
        {"C_check_dir", {tree.root() + "\\base", "plain"}, 0, {{"error", N}}},
        {"C_check_dir", {tree.path("baselink"), "plain"}, 0, {{"error", N}}},
    });
}

TEST_F(DirProcedures, EmptyBaseIsTheDefaultUnderTheDriveRoot) {
    TempTree drive;
    drive.dir("tavlo/configfiles/proj");
    drive.file("tavlo/configfiles/notes");
    setenv("NDL_DRIVE_ROOT", drive.root().c_str(), 1);
    run({
        {"C_check_dir", {"", "proj"}, 0, {{"error", N}}},
        {"C_check_dir", {"", "notes"}, 2, {{"error", "Check directory failed for D:\\tavlo\\configfiles\\notes\n"}}},
        {"C_create_dir", {"", "fresh"}, 0, {{"error", N}}},
        {"C_check_dir", {"D:\\tavlo", "configfiles\\fresh"}, 0, {{"error", N}}},
        {"C_remove_dir", {"", "proj"}, 0, {{"error", N}}},
    });
    unsetenv("NDL_DRIVE_ROOT");
    EXPECT_TRUE(drive.exists("tavlo/configfiles/fresh"));
    EXPECT_FALSE(drive.exists("tavlo/configfiles/proj"));
}

TEST_F(DirProcedures, DriveBasesStayBelowTheDriveRoot) {
    std::string drive = tree.dir("drive");
    tree.dir("drive/proj");
    tree.dir("drive/tavlo/configfiles");
    tree.dir("outside/only_outside");
    tree.link("drive/link", tree.path("outside"));
    setenv("NDL_DRIVE_ROOT", drive.c_str(), 1);
    // Climbing above the drive root, at once or on the way, by either
    // separator, through a link or not.
    for (const std::string &climbs : {std::string("D:\\.."), std::string("D:.."), std::string("d:/../drive"),
                                      std::string("D:\\tavlo\\..\\.."), std::string("D:\\.\\tavlo\\..\\..\\drive"),
                                      std::string("D:\\link\\..\\..\\outside")}) {
        SCOPED_TRACE("base '" + climbs + "'");
        const std::string refused = "Error : Invalid base directory (\"..\" above its drive root): " + climbs + "\n";
        run({
            {"C_check_dir", {climbs, "outside"}, 2, {{"error", refused}}},
            {"C_create_dir", {climbs, "x"}, -1, {{"error", refused}}},
            {"C_remove_dir", {climbs, "outside"}, 2, {{"error", refused}}},
            {"C_remove_dir", {climbs, "drive"}, 2, {{"error", refused}}},
        });
        ASSERT_FALSE(tree.exists("x"));
        ASSERT_TRUE(tree.exists("outside/only_outside"));
        ASSERT_TRUE(tree.exists("drive/proj"));
    }
    // ".." that stays below the root moves by the text, as the platform's
    // paths do: "link\.." is the drive root, not the folder beside it.
    run({
        {"C_check_dir", {"D:\\tavlo\\..", "proj"}, 0, {{"error", N}}},
        {"C_check_dir", {"D:/tavlo/./configfiles/../", "configfiles"}, 0, {{"error", N}}},
        {"C_check_dir", {"D:\\link\\..", "proj"}, 0, {{"error", N}}},
        {"C_check_dir", {"D:\\link\\..", "only_outside"}, 2,
         {{"error", "Check directory failed for D:\\link\\..\\only_outside\n"}}},
        {"C_create_dir", {"D:\\link\\..", "made"}, 0, {{"error", N}}},
        {"C_remove_dir", {"D:\\tavlo\\..", "proj"}, 0, {{"error", N}}},
        // A link in the base is still the caller's to follow.
        {"C_check_dir", {"D:\\link", "only_outside"}, 0, {{"error", N}}},
    });
    unsetenv("NDL_DRIVE_ROOT");
    EXPECT_TRUE(tree.exists("drive/made"));
    EXPECT_FALSE(tree.exists("outside/made"));
    EXPECT_FALSE(tree.exists("drive/proj"));
}

TEST_F(DirProcedures, UnsafeNamesAreRefusedAndTouchNothing) {
    tree.dir("base/keep/inner");
    tree.file("base/keep/inner/data");
    tree.dir("sibling");
    // "%s\%s" of the base and the name must fit 300 characters with its end.
    std::string fits;
    for (size_t room = 299 - base.size() - 1; fits.size() < room;) {
        if (!fits.empty()) fits += '\\';
        fits.append(std::min<size_t>(100, room - fits.size()), 'n');
    }
    std::string too_long = fits + "n";
    std::vector<std::string> names = {"",         ".",      "..",      "keep\\..", "keep/../..", "..\\sibling",
                                      "\\keep",   "/keep",  "C:keep",  "keep:s",   "ke*p",       "kee?",
                                      "keep\\.",  "./keep", too_long};
    for (const std::string &name : names) {
        SCOPED_TRACE("name '" + name + "'");
        const std::string refused = name == too_long ? "^Error : Directory path longer than 299 characters: "
                                                     : "^Error : Invalid directory name";
        run({
            {"C_check_dir", {base, name}, 2, {{"error", refused}}},
            {"C_create_dir", {base, name}, -1, {{"error", refused}}},
            {"C_remove_dir", {base, name}, 2, {{"error", refused}}},
        });
        ASSERT_TRUE(tree.exists("base/keep/inner/data"));
        ASSERT_TRUE(tree.exists("sibling"));
    }
    std::string parents = fits.substr(0, fits.rfind('\\'));
    std::replace(parents.begin(), parents.end(), '\\', '/');
    tree.dir("base/" + parents);
    run({
        {"C_create_dir", {base, fits}, 0, {{"error", N}}},
        {"C_check_dir", {base, fits}, 0, {{"error", N}}},
        {"C_remove_dir", {base, fits}, 0, {{"error", N}}},
    });
    ASSERT_EQ(shown(fits).size(), 299u);
}

TEST_F(DirProcedures, CreateReplacesATreeByAnEmptyDirectory) {
    tree.dir("outside/kept");
    tree.file("outside/file");
    tree.file("base/proj/a.cfg");
    tree.file("base/proj/.hidden/b.cfg");
    tree.file("base/proj/deep/er/c.cfg");
    tree.dir("base/proj/ro");
    tree.file("base/proj/ro/d.cfg");
    tree.read_only("base/proj/ro");
    tree.link("base/proj/dirlink", tree.path("outside"));
    tree.link("base/proj/filelink", tree.path("outside/file"));
    tree.link("base/proj/dangling", tree.path("nowhere"));
    bool root = geteuid() == 0;
    run({{"C_create_dir", {base, "proj"}, root ? 0 : -1, {{"error", root ? N : "^Create directory failed for "}}}});
    if (root) {
        EXPECT_TRUE(std::filesystem::is_empty(tree.path("base/proj")));
    } else {
        // What the read-only folder kept stays; the rest is gone.
        EXPECT_TRUE(tree.exists("base/proj/ro/d.cfg"));
        EXPECT_FALSE(tree.exists("base/proj/a.cfg"));
    }
    // The links went, never what they point to.
    EXPECT_TRUE(tree.exists("outside/kept"));
    EXPECT_TRUE(tree.exists("outside/file"));

    tree.file("base/plainfile");
    tree.link("base/linkdir", tree.path("outside"));
    run({
        {"C_create_dir", {base, "new"}, 0, {{"error", N}}},
        {"C_create_dir", {base, "new\\child"}, 0, {{"error", N}}},
        {"C_create_dir", {base, "absent\\child"}, -1, {{"error", "Create directory failed for " + shown("absent\\child") + "\n"}}},
        // Not a directory: left as it is, and the creation fails.
        {"C_create_dir", {base, "plainfile"}, -1, {{"error", "^Create directory failed for "}}},
        {"C_create_dir", {base, "linkdir"}, -1, {{"error", "^Create directory failed for "}}},
        {"C_create_dir", {base, "linkdir\\kept"}, -1, {{"error", "^Create directory failed for "}}},
    });
    EXPECT_TRUE(tree.exists("base/new/child"));
    EXPECT_TRUE(tree.exists("base/plainfile"));
    EXPECT_TRUE(tree.exists("outside/kept"));
}

TEST_F(DirProcedures, RemoveTakesTheWholeTreeOrAnswersFailure) {
    tree.dir("outside/kept");
    tree.file("base/proj/a.cfg");
    tree.file("base/proj/.hidden/b.cfg");
    tree.file("base/proj/sub/.x/c.cfg");
    tree.link("base/proj/sub/out", tree.path("outside"));
    tree.link("base/proj/sub/outfile", tree.path("outside/kept"));
    tree.dir("base/ro/inner");
    tree.read_only("base/ro");
    tree.file("base/file");
    tree.link("base/link", tree.path("outside"));
    bool root = geteuid() == 0;
    run({
        {"C_remove_dir", {base, "proj"}, 0, {{"error", N}}},
        {"C_remove_dir", {base, "proj"}, 2, {{"error", "Remove directory failed for " + shown("proj") + "\n"}}},
        {"C_remove_dir", {base, "ro"}, root ? 0 : 2, {{"error", root ? N : "Remove directory failed for " + shown("ro") + "\n"}}},
        // Files and links are not directories to remove.
        {"C_remove_dir", {base, "file"}, 2, {{"error", "^Remove directory failed for "}}},
        {"C_remove_dir", {base, "link"}, 2, {{"error", "^Remove directory failed for "}}},
    });
    EXPECT_FALSE(tree.exists("base/proj"));
    EXPECT_EQ(tree.exists("base/ro"), !root);
    EXPECT_TRUE(tree.exists("base/file"));
    EXPECT_TRUE(tree.exists("base/link"));
    EXPECT_TRUE(tree.exists("outside/kept"));
}

TEST_F(DirProcedures, TooDeepATreeSurvivesAndIsReported) {
    std::string deep = "base/deep";
    for (int i = 0; i < 300; ++i) deep += "/d";
    tree.file(deep + "/leaf");
    run({{"C_remove_dir", {base, "deep"}, 2, {{"error", "Remove directory failed for " + shown("deep") + "\n"}}}});
    EXPECT_TRUE(tree.exists("base/deep"));
}

}  // namespace
