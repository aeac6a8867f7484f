#include "views/Tdirtree.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <filesystem>

#include "support/TempDir.h"
#include "views/TdirtreeModel.h"

namespace fs = std::filesystem;

namespace {

class TdirtreeTest : public ::testing::Test {
protected:
    TdirtreeTest() {
        for (const char* name :
             {"home/Music/Rock", "home/Music/Jazz/Modern", "home/docs", "fixed", "usb", "cd/Disc"})
            fs::create_directories(dir_.Path() / name);
        platform_.readRoots = [this] {
            return std::vector<DriveRoot>{{Root("home"), "Home", DriveKind::Home},
                                          {Root("fixed"), "Fixed", DriveKind::Fixed},
                                          {Root("usb"), "USB", DriveKind::Removable},
                                          {Root("cd"), "CD", DriveKind::Removable}};
        };
    }

    std::string Root(const std::string& name) const { return dir_.File(name) + "/"; }

    // A shown tree over the roots above.
    std::unique_ptr<Tdirtree> MakeTree() {
        auto tree = std::make_unique<Tdirtree>(platform_);
        tree->resize(200, 150);
        tree->show();
        QCoreApplication::processEvents();  // the first layout
        return tree;
    }

    // Expands as the user's click does; the view lays the children out (and so fetches them)
    // in its next layout pass.
    static void Expand(Tdirtree& tree, const QModelIndex& index) {
        tree.expand(index);
        QCoreApplication::processEvents();
    }

    // Every row the model shows is the node at that place in the tree, and back.
    static void ExpectMirrors(const TdirtreeModel& model, const QModelIndex& parent,
                              const std::vector<std::unique_ptr<DirTreeNode>>& nodes) {
        ASSERT_EQ(model.rowCount(parent), static_cast<int>(nodes.size()));
        for (int row = 0; row < model.rowCount(parent); ++row) {
            const QModelIndex index = model.index(row, 0, parent);
            const DirTreeNode* node = nodes[row].get();
            ASSERT_EQ(model.NodeAt(index), node);
            EXPECT_EQ(model.parent(index), parent);
            EXPECT_EQ(model.IndexOf(node), index);
            EXPECT_EQ(index.data().toString().toStdString(), node->Caption());
            EXPECT_EQ(model.hasChildren(index),
                      !node->Children().empty() || !node->Placeholder().empty());
            ExpectMirrors(model, index, node->Children());
        }
    }

    static QModelIndex Find(const QAbstractItemModel& model, const QModelIndex& parent,
                            const QString& caption) {
        for (int row = 0; row < model.rowCount(parent); ++row) {
            const QModelIndex index = model.index(row, 0, parent);
            if (index.data().toString() == caption)
                return index;
        }
        return {};
    }

    static int ReadNodes(const DirTree& tree) {
        const auto& paths = tree.NodePaths();
        return static_cast<int>(std::count_if(paths.begin(), paths.end(),
                                              [](const std::string& p) { return p[0] == 'i'; }));
    }

    TempDir dir_;
    DirTree::Platform platform_;
};

TEST_F(TdirtreeTest, ReadsItsDrivesWhenItsWindowIsFirstNeeded) {
    Tdirtree tree(platform_);
    EXPECT_EQ(tree.Model()->rowCount(), 0);
    tree.SetDirType({dtNormal});  // no window yet: stored, nothing read
    EXPECT_EQ(tree.Model()->rowCount(), 0);
    EXPECT_EQ(tree.Directory(), "?");  // asking for the folder needs the window
    EXPECT_EQ(tree.Model()->rowCount(), 4);

    Tdirtree idle(platform_);
    idle.SetReadOnStart(false);
    idle.show();
    EXPECT_EQ(idle.Model()->rowCount(), 0);
    idle.ReadDrives();
    EXPECT_EQ(idle.Model()->rowCount(), 4);
}

TEST_F(TdirtreeTest, ARemovableRootHasAnExpandButtonBeforeAnythingIsRead) {
    auto tree = MakeTree();
    const TdirtreeModel& model = *tree->Model();
    const QModelIndex usb = Find(model, {}, "USB");
    const QModelIndex fixed = Find(model, {}, "Fixed");
    EXPECT_TRUE(model.hasChildren(usb));
    EXPECT_EQ(model.rowCount(usb), 0);
    EXPECT_FALSE(model.hasChildren(fixed));  // probed: no folders, no button
    EXPECT_EQ(tree->Tree().FolderReads(), 0);

    Expand(*tree, usb);
    EXPECT_FALSE(model.hasChildren(usb));
    EXPECT_EQ(model.rowCount(usb), 0);

    const QModelIndex cd = Find(model, {}, "CD");
    Expand(*tree, cd);
    EXPECT_EQ(model.rowCount(cd), 1);
    EXPECT_EQ(model.index(0, 0, cd).data().toString(), "Disc");
    EXPECT_TRUE(tree->Tree().IsConsistent());
}

TEST_F(TdirtreeTest, ExpandingInTheViewReadsOneLevelAheadAndEachNodeOnce) {
    auto tree = MakeTree();
    const TdirtreeModel& model = *tree->Model();
    const QModelIndex home = Find(model, {}, "Home");
    Expand(*tree, home);
    const QModelIndex music = Find(model, home, "Music");
    ASSERT_TRUE(music.isValid());
    EXPECT_EQ(model.rowCount(music), 2);  // read ahead: its button is exact
    EXPECT_FALSE(model.hasChildren(Find(model, home, "docs")));
    EXPECT_EQ(tree->Tree().FolderReads(), 3);

    tree->collapse(home);
    Expand(*tree, home);
    Expand(*tree, music);
    tree->SetDirectory(dir_.File("home/Music/Jazz/Modern"));
    QCoreApplication::processEvents();
    Expand(*tree, Find(model, music, "Rock"));
    EXPECT_EQ(tree->Tree().FolderReads(), ReadNodes(tree->Tree()));
    EXPECT_EQ(tree->Tree().FolderReads(), 6);
    EXPECT_TRUE(tree->Tree().IsConsistent());
}

TEST_F(TdirtreeTest, WritingDirectorySelectsTheNodeAndShowsIt) {
    auto tree = MakeTree();
    QSignalSpy changes(tree.get(), &Tdirtree::Change);
    tree->SetDirectory(dir_.File("home/Music/Jazz"));
    EXPECT_EQ(tree->Directory(), Root("home") + "Music/Jazz/");
    EXPECT_EQ(changes.count(), 1);
    const QModelIndex current = tree->currentIndex();
    EXPECT_EQ(current.data().toString(), "Jazz");
    EXPECT_TRUE(tree->selectionModel()->isSelected(current));
    EXPECT_TRUE(tree->isExpanded(current.parent()));
    EXPECT_TRUE(tree->isExpanded(current.parent().parent()));

    tree->SetDirectory(dir_.File("home/no/such"));
    EXPECT_EQ(tree->currentIndex(), current);
    EXPECT_EQ(changes.count(), 1);

    tree->Tree().Select(nullptr);  // the parent of a root, as "Parent Directory" gives it
    EXPECT_EQ(tree->Directory(), "?");
    EXPECT_TRUE(tree->selectionModel()->selectedIndexes().isEmpty());
    EXPECT_EQ(changes.count(), 2);
}

TEST_F(TdirtreeTest, TheUsersClickSelectsTheFolder) {
    auto tree = MakeTree();
    QSignalSpy changes(tree.get(), &Tdirtree::Change);
    QSignalSpy clicks(tree.get(), &Tdirtree::Click);
    const QModelIndex home = Find(*tree->Model(), {}, "Home");
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(home).center());
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(tree->Directory(), Root("home"));
    EXPECT_EQ(tree->Tree().DriveLastFolder(Root("home")), Root("home"));

    QTest::keyClick(tree->viewport(), Qt::Key_Down);
    EXPECT_EQ(tree->Directory(), Root("fixed"));
    EXPECT_EQ(changes.count(), 2);
}

TEST_F(TdirtreeTest, TheModelStaysSoundThroughReloadsAndEdits) {
    auto tree = MakeTree();
    const TdirtreeModel& model = *tree->Model();
    tree->SetDirectory(dir_.File("home/Music/Rock"));
    QCoreApplication::processEvents();
    ExpectMirrors(model, {}, tree->Tree().TopLevel());
    tree->SetGoBelowRecycleBin(false);  // reloads
    QCoreApplication::processEvents();
    ExpectMirrors(model, {}, tree->Tree().TopLevel());
    EXPECT_EQ(tree->Directory(), Root("home") + "Music/Rock/");
    EXPECT_EQ(tree->currentIndex().data().toString(), "Rock");

    const QModelIndex rock = tree->currentIndex();
    EXPECT_FALSE(tree->Model()->flags(rock) & Qt::ItemIsEditable);
    EXPECT_FALSE(tree->Model()->setData(rock, "Stones", Qt::EditRole));
    tree->SetReadonly(false);
    EXPECT_TRUE(tree->Model()->setData(rock, "Stones", Qt::EditRole));
    EXPECT_EQ(rock.data().toString(), "Stones");
    EXPECT_EQ(tree->Directory(), Root("home") + "Music/Rock/");  // the folder keeps its name
    tree->ReadDrives();
    EXPECT_EQ(tree->Directory(), "?");
    ExpectMirrors(model, {}, tree->Tree().TopLevel());
    EXPECT_TRUE(tree->Tree().IsConsistent());
}

}  // namespace
