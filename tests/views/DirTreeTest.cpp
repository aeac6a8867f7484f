#include "views/DirTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// Records what the tree tells its views, and checks the bookkeeping after every change.
class Recorder : public DirTreeObserver {
public:
    explicit Recorder(const DirTree& tree) : tree_(tree) {}

    void BeginReset() override { ++resets; }
    void EndReset() override { Check(); }
    void BeginInsert(const DirTreeNode*, int first, int last) override {
        inserted += last - first + 1;
    }
    void EndInsert() override { Check(); }
    void BeginRemove(const DirTreeNode*, int, int) override {}
    void EndRemove() override { Check(); }
    void CaptionChanged(const DirTreeNode*) override {}
    void PlaceholderChanged(const DirTreeNode*) override { ++placeholders; }
    void SelectionChanged(const DirTreeNode*, bool scrollToTop) override {
        scrolled += scrollToTop ? 1 : 0;
        Check();
    }

    int resets = 0, inserted = 0, placeholders = 0, scrolled = 0;

private:
    void Check() const { EXPECT_TRUE(tree_.IsConsistent()); }
    const DirTree& tree_;
};

class DirTreeTest : public ::testing::Test {
protected:
    DirTreeTest() {
        // home/ with Music (Rock, Jazz/Modern), docs, .config; fixed/ (no folders); usb/ (a
        // removable volume, empty); net/ (a network share).
        MakeFolder("home/Music/Rock");
        MakeFolder("home/Music/Jazz/Modern");
        MakeFolder("home/docs");
        MakeFolder("home/.config/app");
        dir_.Write("home/readme.txt", "x");
        MakeFolder("fixed");
        dir_.Write("fixed/file.mp3", "x");
        MakeFolder("usb");
        MakeFolder("net/share");
        roots_ = {{Root("home"), "Home", DriveKind::Home},
                  {Root("fixed"), "Fixed", DriveKind::Fixed},
                  {Root("usb"), "USB", DriveKind::Removable},
                  {Root("net"), "Net", DriveKind::Network}};
    }

    std::string Root(const std::string& name) const { return dir_.File(name) + "/"; }
    void MakeFolder(const std::string& name) const { fs::create_directories(dir_.Path() / name); }

    // A tree over the roots above, its window created and the drives read.
    std::unique_ptr<DirTree> MakeTree(std::string currentFolder = "") {
        DirTree::Platform platform;
        platform.readRoots = [this] { return roots_; };
        platform.currentFolder = std::move(currentFolder);
        platform.homeTrash = Root("home") + ".local/share/Trash/";
        auto tree = std::make_unique<DirTree>(platform);
        tree->OnChange = [this] { ++changes_; };
        recorder_ = std::make_unique<Recorder>(*tree);
        tree->AddObserver(recorder_.get());
        tree->CreateWindow();
        return tree;
    }

    static std::vector<std::string> Captions(const DirTreeNode* node) {
        std::vector<std::string> captions;
        for (const auto& child : node->Children())
            captions.push_back(child->Caption());
        return captions;
    }

    static int ReadNodes(const DirTree& tree) {
        const auto& paths = tree.NodePaths();
        return static_cast<int>(std::count_if(paths.begin(), paths.end(),
                                              [](const std::string& p) { return p[0] == 'i'; }));
    }

    TempDir dir_;
    std::vector<DriveRoot> roots_;
    std::unique_ptr<Recorder> recorder_;
    int changes_ = 0;
};

TEST_F(DirTreeTest, ReadsTheDrivesInOrderWithPlaceholdersAndProbes) {
    auto tree = MakeTree();
    ASSERT_TRUE(tree->TreeFilled());
    ASSERT_EQ(tree->TopLevel().size(), 4u);
    const auto& top = tree->TopLevel();
    EXPECT_EQ(top[0]->Caption(), "Home");
    EXPECT_EQ(top[0]->Placeholder(), " ");  // fixed with folders: probed
    EXPECT_EQ(top[1]->Placeholder(), "");   // fixed without folders: no expand button
    EXPECT_EQ(top[2]->Placeholder(), "u**");
    EXPECT_EQ(top[3]->Placeholder(), " ");
    EXPECT_EQ(tree->NodePaths(), (std::vector<std::string>{"u" + Root("home"), "u" + Root("fixed"),
                                                           "u" + Root("usb"), "u" + Root("net")}));
    EXPECT_EQ(tree->FolderReads(), 0);
    EXPECT_EQ(tree->FolderProbes(), 3);  // the removable volume is not touched
    EXPECT_EQ(tree->Directory(), "?");
    EXPECT_TRUE(tree->IsConsistent());
}

TEST_F(DirTreeTest, NothingIsReadBeforeTheWindowExistsOrWithoutReadOnStart) {
    DirTree::Platform platform;
    platform.readRoots = [this] { return roots_; };
    DirTree tree(platform);
    tree.ReadDrives();
    EXPECT_TRUE(tree.TopLevel().empty());
    tree.SetReadOnStart(false);
    tree.CreateWindow();
    EXPECT_TRUE(tree.TopLevel().empty());
    tree.ReadDrives();
    EXPECT_EQ(tree.TopLevel().size(), 4u);
}

TEST_F(DirTreeTest, WritingAFolderSelectsItsNodeAndReadsItBackWithATrailingSlash) {
    auto tree = MakeTree();
    tree->SetDirectory(dir_.File("home/Music/Jazz"));
    EXPECT_EQ(tree->Directory(), Root("home") + "Music/Jazz/");
    EXPECT_EQ(tree->Selected()->Caption(), "Jazz");
    EXPECT_EQ(changes_, 1);
    EXPECT_EQ(recorder_->scrolled, 1);
    EXPECT_EQ(tree->DriveLastFolder(Root("home")), Root("home") + "Music/Jazz/");
    // Each level on the way is read, and nothing else.
    EXPECT_EQ(tree->FolderReads(), 3);
    EXPECT_TRUE(tree->IsConsistent());

    // Redundant separators and dot components name the same folder.
    tree->SetDirectory(Root("home") + "/Music/./Rock/../Rock");
    EXPECT_EQ(tree->Directory(), Root("home") + "Music/Rock/");
    // The same folder again selects nothing new.
    tree->SetDirectory(Root("home") + "Music/Rock/");
    EXPECT_EQ(changes_, 2);
}

TEST_F(DirTreeTest, AFolderThatCannotBeReachedLeavesTheSelection) {
    auto tree = MakeTree();
    tree->SetDirectory(dir_.File("home/docs"));
    const std::vector<std::string> unreachable = {
        dir_.File("home/no/such"), "?", "", "relative/path", dir_.File("home/readme.txt"),
        dir_.File("elsewhere")};
    MakeFolder("elsewhere");  // exists, but below no root
    for (const std::string& value : unreachable) {
        tree->SetDirectory(value);
        EXPECT_EQ(tree->Directory(), Root("home") + "docs/") << value;
    }
    EXPECT_EQ(changes_, 1);
}

TEST_F(DirTreeTest, APathBelongsToTheLongestRootThatHoldsIt) {
    MakeFolder("home/Music/Rock/Live");
    roots_.insert(roots_.begin() + 1,
                  {dir_.Path().string() + "/", "File System", DriveKind::FileSystem});
    auto tree = MakeTree();
    tree->SetDirectory(dir_.File("home/Music/Rock/Live"));
    const DirTreeNode* top = tree->Selected();
    while (top->Parent())
        top = top->Parent();
    EXPECT_EQ(top->Caption(), "Home");
    tree->SetDirectory(dir_.File("fixed"));
    EXPECT_EQ(tree->Selected()->Parent(), nullptr);  // a root of its own
    // The wider root reaches a folder outside the narrower ones.
    MakeFolder("elsewhere");
    tree->SetDirectory(dir_.File("elsewhere"));
    EXPECT_EQ(tree->Directory(), dir_.File("elsewhere") + "/");
    EXPECT_EQ(tree->Selected()->Parent()->Caption(), "File System");
    EXPECT_TRUE(tree->IsConsistent());
}

TEST_F(DirTreeTest, SelectingTheParentOfARootLeavesNothingSelected) {
    auto tree = MakeTree();
    tree->SetDirectory(Root("home"));
    ASSERT_EQ(tree->Selected(), tree->TopLevel()[0].get());
    tree->Select(tree->Selected()->Parent());
    EXPECT_EQ(tree->Selected(), nullptr);
    EXPECT_EQ(tree->Directory(), "?");
    EXPECT_EQ(changes_, 2);
}

TEST_F(DirTreeTest, ARemovableRootShowsAnExpandButtonUntilAnEmptyOneIsExpanded) {
    auto tree = MakeTree();
    DirTreeNode* usb = tree->TopLevel()[2].get();
    EXPECT_EQ(usb->Placeholder(), "u**");
    EXPECT_TRUE(usb->Children().empty());
    tree->Expand(usb);
    EXPECT_EQ(usb->Placeholder(), "");
    EXPECT_TRUE(usb->Children().empty());
    EXPECT_TRUE(tree->IsRead(usb));
    EXPECT_EQ(recorder_->placeholders, 1);
    EXPECT_TRUE(tree->IsConsistent());
}

TEST_F(DirTreeTest, SubfoldersAreSortedWithoutRegardToCase) {
    for (const char* name : {"home/b", "home/A", "home/music", "home/C", "home/a"})
        MakeFolder(name);
    auto tree = MakeTree();
    tree->Expand(tree->TopLevel()[0].get());
    EXPECT_EQ(Captions(tree->TopLevel()[0].get()),
              (std::vector<std::string>{".config", "A", "a", "b", "C", "docs", "Music", "music"}));
    EXPECT_TRUE(tree->IsConsistent());
}

TEST_F(DirTreeTest, ExpandingReadsOneLevelAheadAndEachNodeOnlyOnce) {
    auto tree = MakeTree();
    DirTreeNode* home = tree->TopLevel()[0].get();
    tree->Expand(home);
    EXPECT_EQ(Captions(home), (std::vector<std::string>{".config", "docs", "Music"}));
    const DirTreeNode* music = home->Children()[2].get();
    EXPECT_TRUE(tree->IsRead(music));
    EXPECT_EQ(Captions(music), (std::vector<std::string>{"Jazz", "Rock"}));
    EXPECT_FALSE(tree->IsRead(music->Children()[0].get()));  // two levels down: not yet
    EXPECT_EQ(tree->FolderReads(), 4);

    // Walking through read nodes, expanding again and selecting read nothing twice.
    tree->Expand(home);
    tree->SetDirectory(dir_.File("home/Music"));
    tree->Expand(tree->Selected());
    tree->SetDirectory(dir_.File("home/Music/Jazz/Modern"));
    tree->Expand(tree->Selected());
    tree->Expand(tree->TopLevel()[3].get());
    EXPECT_EQ(tree->FolderReads(), ReadNodes(*tree));
    EXPECT_EQ(tree->FolderReads(), 9);
    EXPECT_TRUE(tree->IsConsistent());
}

TEST_F(DirTreeTest, HiddenFoldersShowOnlyWhenTheDirTypeAllowsThem) {
    auto tree = MakeTree();  // [dtNormal, dtAll] as constructed
    tree->Expand(tree->TopLevel()[0].get());
    EXPECT_EQ(Captions(tree->TopLevel()[0].get()),
              (std::vector<std::string>{".config", "docs", "Music"}));
    tree->SetDirectory(dir_.File("home/.config/app"));
    tree->SetDirType({dtNormal});  // reloads, and the hidden folder is gone
    EXPECT_EQ(Captions(tree->TopLevel()[0].get()), (std::vector<std::string>{"docs", "Music"}));
    EXPECT_EQ(tree->Directory(), Root("home"));  // fell back to the remembered folder's root
    tree->SetDirType({dtNormal, dtHidden});
    tree->SetDirectory(dir_.File("home/.config/app"));
    EXPECT_EQ(tree->Directory(), Root("home") + ".config/app/");
}

TEST_F(DirTreeTest, FolderAttributesAreAcceptedByTheDirType) {
    DirTree tree(DirTree::Platform{});
    const FolderAttributes plain{}, hidden{true, false, false}, system{false, true, false},
        archive{false, false, true};
    struct Row {
        tDirType type;
        bool plain, hidden, system, archive;
    };
    const Row rows[] = {
        {{dtAll}, true, true, true, true},
        {{dtNormal, dtAll}, true, true, true, true},
        {{dtNormal}, true, false, false, false},
        {{dtNormal, dtHidden}, true, true, false, false},
        {{dtHidden, dtSystem, dtArchive}, false, true, true, true},
        {{dtReadonly}, false, false, false, false},
        {{}, false, false, false, false},
    };
    for (const Row& row : rows) {
        tree.SetDirType(row.type);
        EXPECT_EQ(tree.FolderAttributesAccepted(plain), row.plain);
        EXPECT_EQ(tree.FolderAttributesAccepted(hidden), row.hidden);
        EXPECT_EQ(tree.FolderAttributesAccepted(system), row.system);
        EXPECT_EQ(tree.FolderAttributesAccepted(archive), row.archive);
    }
}

TEST_F(DirTreeTest, FoldersBelowTheTrashAreLeftOutUnlessAllowed) {
    MakeFolder("home/.local/share/Trash/files/old");
    MakeFolder("usb/.Trash-1000/files");
    MakeFolder("usb/.Trashcan/keep");
    auto tree = MakeTree();
    tree->SetGoBelowRecycleBin(false);
    EXPECT_FALSE(tree->FolderAllowed(Root("home") + ".local/share/Trash/files/"));
    EXPECT_TRUE(tree->FolderAllowed(Root("home") + ".local/share/Trash/"));
    EXPECT_FALSE(tree->FolderAllowed(Root("usb") + ".Trash-1000/files/"));
    EXPECT_FALSE(tree->FolderAllowed("/media/u/x/.Trash/1000/"));
    EXPECT_TRUE(tree->FolderAllowed(Root("usb") + ".Trash-1000/"));
    EXPECT_TRUE(tree->FolderAllowed(Root("usb") + ".Trashcan/keep/"));

    tree->SetDirectory(dir_.File("home/.local/share/Trash"));
    EXPECT_EQ(tree->Directory(), Root("home") + ".local/share/Trash/");
    EXPECT_TRUE(tree->Selected()->Children().empty());
    tree->SetDirectory(dir_.File("usb/.Trash-1000"));
    EXPECT_EQ(tree->Directory(), Root("usb") + ".Trash-1000/");
    EXPECT_TRUE(tree->Selected()->Children().empty());
    tree->SetDirectory(dir_.File("usb/.Trash-1000/files"));
    EXPECT_EQ(tree->Directory(), Root("usb") + ".Trash-1000/");

    tree->SetGoBelowRecycleBin(true);  // reloads and keeps the folder
    EXPECT_EQ(tree->Directory(), Root("usb") + ".Trash-1000/");
    EXPECT_EQ(Captions(tree->Selected()), (std::vector<std::string>{"files"}));
    EXPECT_TRUE(tree->IsConsistent());
}

TEST_F(DirTreeTest, OnAddDirCanLeaveFoldersOut) {
    auto tree = MakeTree();
    std::vector<std::string> asked;
    tree->OnAddDir = [&](const std::string& path, bool& doAdd) {
        asked.push_back(path);
        doAdd = path.find("/Rock/") == std::string::npos && path != Root("net");
    };
    tree->ReadDrives();
    EXPECT_EQ(tree->TopLevel().size(), 3u);
    tree->SetDirectory(dir_.File("home/Music"));
    EXPECT_EQ(Captions(tree->Selected()), (std::vector<std::string>{"Jazz"}));
    EXPECT_NE(std::find(asked.begin(), asked.end(), Root("home") + "Music/Rock/"), asked.end());
}

TEST_F(DirTreeTest, NetworkDrivesAreLeftOutWhenNotAllowed) {
    auto tree = MakeTree();
    tree->SetDirectory(dir_.File("home/docs"));
    tree->SetAllowNetwork(false);
    ASSERT_EQ(tree->TopLevel().size(), 3u);
    EXPECT_EQ(tree->TopLevel().back()->Caption(), "USB");
    EXPECT_EQ(tree->Directory(), Root("home") + "docs/");  // Reload kept the folder
    tree->SetDirectory(dir_.File("net/share"));
    EXPECT_EQ(tree->Directory(), Root("home") + "docs/");
    EXPECT_TRUE(tree->IsConsistent());
}

TEST_F(DirTreeTest, ReloadFallsBackToTheRootThenToTheLastFolderOfTheFirstDriveLookedAt) {
    roots_ = {{Root("usb"), "USB", DriveKind::Removable},
              {Root("fixed"), "Fixed", DriveKind::Fixed},
              {Root("net"), "Net", DriveKind::Network}};
    MakeFolder("fixed/sub/gone");
    auto tree = MakeTree();
    EXPECT_EQ(tree->DriveLastFolder(Root("fixed")), Root("fixed"));
    tree->SetDirectory(dir_.File("fixed/sub/gone"));
    fs::remove_all(dir_.Path() / "fixed/sub/gone");
    tree->Reload();
    EXPECT_EQ(tree->Directory(), Root("fixed"));  // the remembered folder's root

    // Nothing selected: the removable drive comes first but was never looked at, so the
    // fixed drive's last folder is chosen.
    tree->SetDirectory(dir_.File("fixed/sub"));
    tree->Select(nullptr);
    tree->Reload();
    EXPECT_EQ(tree->Directory(), Root("fixed") + "sub/");

    // When that folder is gone too, the drive's own node.
    tree->Select(nullptr);
    fs::remove_all(dir_.Path() / "fixed/sub");
    tree->Reload();
    EXPECT_EQ(tree->Selected(), tree->TopLevel()[1].get());
    EXPECT_TRUE(tree->IsConsistent());
}

TEST_F(DirTreeTest, ReloadSurvivesAChangeHandlerThatReadsTheDrivesAgain) {
    auto tree = MakeTree();
    int calls = 0;
    tree->OnChange = [&] {
        if (++calls == 1)
            tree->ReadDrives();  // drops the node Reload has just selected
    };
    tree->Reload();
    EXPECT_EQ(tree->Directory(), Root("home"));
    EXPECT_EQ(calls, 3);
    EXPECT_TRUE(tree->IsConsistent());
}

TEST_F(DirTreeTest, TheRootOfTheCurrentFolderStartsWithThatFolder) {
    auto tree = MakeTree(Root("home") + "Music/Jazz/");
    EXPECT_EQ(tree->DriveLastFolder(Root("home")), Root("home") + "Music/Jazz/");
    EXPECT_EQ(tree->DriveLastFolder(Root("fixed")), Root("fixed"));
    tree->Reload();  // nothing selected: the first drive's last folder
    EXPECT_EQ(tree->Directory(), Root("home") + "Music/Jazz/");
}

TEST_F(DirTreeTest, ReadingTheDrivesAgainDropsTheSelectionAndShowsNewFolders) {
    auto tree = MakeTree();
    tree->SetDirectory(dir_.File("home/Music"));
    tree->Expand(tree->TopLevel()[1].get());
    MakeFolder("fixed/new");
    tree->Expand(tree->TopLevel()[1].get());  // read before: the new folder does not show
    EXPECT_TRUE(tree->TopLevel()[1]->Children().empty());
    tree->ReadDrives();
    EXPECT_EQ(tree->Directory(), "?");
    EXPECT_EQ(changes_, 2);
    EXPECT_EQ(tree->TopLevel()[1]->Placeholder(), " ");
    EXPECT_EQ(tree->NodePaths().size(), 4u);
}

TEST_F(DirTreeTest, ReadingTheDrivesFromItsOwnChangeEventDoesNothing) {
    auto tree = MakeTree();
    tree->SetDirectory(dir_.File("home/docs"));
    int nested = 0;
    tree->OnChange = [&] {
        ++nested;
        tree->ReadDrives();
        tree->Reload();
        tree->SetDirectory(dir_.File("home"));
    };
    tree->ReadDrives();  // drops the selection, so the handler runs in its midst
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(tree->TopLevel().size(), 4u);
    EXPECT_EQ(tree->Directory(), "?");
    EXPECT_TRUE(tree->IsConsistent());
}

TEST_F(DirTreeTest, LinksCountAsWhatTheyPointTo) {
    fs::create_directory_symlink(dir_.Path() / "home/Music", dir_.Path() / "home/tunes");
    fs::create_directory_symlink(dir_.Path() / "missing", dir_.Path() / "home/broken");
    auto tree = MakeTree();
    tree->SetDirectory(dir_.File("home/tunes/Rock"));
    EXPECT_EQ(tree->Directory(), Root("home") + "tunes/Rock/");
    EXPECT_EQ(Captions(tree->TopLevel()[0].get()),
              (std::vector<std::string>{".config", "docs", "Music", "tunes"}));
}

TEST_F(DirTreeTest, AFolderThatVanishedGetsNoChildren) {
    auto tree = MakeTree();
    DirTreeNode* home = tree->TopLevel()[0].get();
    fs::remove_all(dir_.Path() / "home/Music");
    tree->ReadSubfolders(home);  // still lists nothing but docs and .config
    EXPECT_EQ(Captions(home), (std::vector<std::string>{".config", "docs"}));
    fs::remove_all(dir_.Path() / "home");
    tree->Expand(home);
    EXPECT_TRUE(home->Children()[0]->Children().empty());
    EXPECT_TRUE(tree->IsConsistent());
}

TEST_F(DirTreeTest, ANetworkRootIsProbedAsideAndADeadOneShowsNoChildren) {
    MakeFolder("net2/share");
    roots_.push_back({Root("net2"), "Net2", DriveKind::Network});
    // The probe stands for a thread that reads the root: answers are given by the test, and
    // never for the dead server.
    std::map<std::string, std::function<void(DirTree::SubfolderNames)>> asked;
    DirTree::Platform platform;
    platform.readRoots = [this] { return roots_; };
    platform.probeNetwork = [&](const std::string& root,
                                std::function<void(DirTree::SubfolderNames)> answer) {
        asked[root] = std::move(answer);
    };
    DirTree tree(platform);
    Recorder recorder(tree);
    tree.AddObserver(&recorder);
    tree.CreateWindow();

    // Reading the drives touches neither network root.
    const DirTreeNode* net = tree.TopLevel()[3].get();
    const DirTreeNode* dead = tree.TopLevel()[4].get();
    EXPECT_EQ(net->Placeholder(), "");
    EXPECT_EQ(dead->Placeholder(), "");
    EXPECT_EQ(tree.FolderProbes(), 2);  // home and fixed
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(tree.PendingNetworkProbes(), 2);

    tree.StartNetworkProbes();
    ASSERT_EQ(asked.size(), 2u);
    asked[Root("net")](DirTree::ReadSubfolderNames(Root("net")));
    EXPECT_EQ(net->Placeholder(), " ");
    EXPECT_EQ(tree.PendingNetworkProbes(), 1);

    // The dead one is given up: a folder with no known children that is never read.
    tree.GiveUpNetworkProbes();
    EXPECT_EQ(tree.PendingNetworkProbes(), 0);
    EXPECT_TRUE(tree.IsRead(dead));
    const int reads = tree.FolderReads();
    tree.Expand(const_cast<DirTreeNode*>(dead));
    EXPECT_TRUE(dead->Children().empty());
    EXPECT_EQ(tree.FolderReads(), reads);
    // Its answer, arriving late, changes nothing.
    asked[Root("net2")](std::vector<std::string>{"share"});
    EXPECT_EQ(dead->Placeholder(), "");
    EXPECT_TRUE(tree.IsConsistent());

    // Reading the drives again asks again, and an answer from before is dropped.
    const auto stale = asked[Root("net")];
    tree.ReadDrives();
    EXPECT_EQ(tree.PendingNetworkProbes(), 2);
    tree.StartNetworkProbes();
    stale(std::vector<std::string>{"share"});
    EXPECT_EQ(tree.TopLevel()[3]->Placeholder(), "");
    asked[Root("net")](std::nullopt);  // unreadable: no expand button
    EXPECT_EQ(tree.TopLevel()[3]->Placeholder(), "");
    EXPECT_TRUE(tree.IsConsistent());
    tree.RemoveObserver(&recorder);
}

}  // namespace
