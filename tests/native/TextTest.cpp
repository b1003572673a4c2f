#include <gtest/gtest.h>

#include <memory>

#include "core/NodeWatch.h"
#include "core/Text.h"

TEST(LeadingText, NeverEndsOnTheFirstHalfOfASurrogatePair)
{
    const String clef = u"\U0001D11E"; // two code units
    const struct {
        String text;
        size_t count;
        String expected;
    } cases[] = {
        {u"abc", 5, u"abc"},
        {u"abc", 3, u"abc"},
        {u"abcd", 2, u"ab"},
        {u"", 60, u""},
        {u"ab" + clef + u"c", 3, u"ab"},            // the cut falls inside the pair
        {u"ab" + clef + u"c", 4, u"ab" + clef},     // right after it
        {u"ab" + clef, 3, u"ab"},                   // the pair ends the text
        {clef, 1, u""},
        {u"a\xDC00" u"b", 2, u"a\xDC00"},           // a lone second half is cut like any unit
    };
    for (const auto& c : cases)
        EXPECT_EQ(LeadingText(c.text, c.count), c.expected) << ToUtf8(c.text) << " / " << c.count;
}

TEST(NodeWatch, RefsForgetDeletedNodesAndWatchersMayGoDuringANotification)
{
    TTreeNodes tree;
    tree.OnDeletion = [](TTreeNode& node) { NotifyNodeWatchers(node); };
    TTreeNode* folder = tree.AddChild(nullptr, u"folder");
    TTreeNode* child = tree.AddChild(folder, u"child");
    TTreeNode* other = tree.AddChild(nullptr, u"other");
    TNodeRef toChild(child), toOther(other);

    // A watcher that, told of the first deletion, ends another watcher and starts a new one.
    struct Closer : TNodeWatcher {
        std::unique_ptr<TNodeRef>* victim;
        std::unique_ptr<TNodeRef> born;
        int told = 0;
        void NodeDeleted(TTreeNode&) override
        {
            if (told++ == 0) {
                victim->reset();
                born = std::make_unique<TNodeRef>(nullptr);
            }
        }
    };
    auto victim = std::make_unique<TNodeRef>(folder);
    Closer closer;
    closer.victim = &victim;

    tree.Delete(folder); // the child first, then the folder
    EXPECT_EQ(toChild.Get(), nullptr);
    EXPECT_EQ(toOther.Get(), other);
    EXPECT_EQ(victim, nullptr);
    EXPECT_EQ(closer.told, 2);
    TNodeRef later;
    later = other;
    tree.Delete(other);
    EXPECT_EQ(later.Get(), nullptr);
}
