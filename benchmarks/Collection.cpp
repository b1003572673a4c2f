#include "Collection.h"

#include "core/NodeKinds.h"
#include "core/TreeRoutines.h"

namespace {

constexpr int MessageCount = 10000;
constexpr int ContentLength = 500;

String Content(int n)
{
    String text;
    text.reserve(ContentLength);
    const StringView words[] = {u"Dear ", u"customer, ", u"thank you ", u"for your ", u"order \u00E9\u00FC ",
                                u"no. ", u"Regards\r\n", u"\U0001F600 "};
    for (int i = n; text.size() < ContentLength; i = i * 7 + 3)
        text += words[static_cast<unsigned>(i) % 8];
    text.resize(ContentLength);
    return text;
}

TTreeNode* Add(TTreeNodes& items, TTreeNode* parent, String text, int kind)
{
    TTreeNode* node = items.AddChild(parent, std::move(text));
    node->ImageIndex = kind;
    return node;
}

} // namespace



// 5 user menus of 10 folders of 10 folders with 20 messages each, Messages included.
void FillCollection(TTreeNodes& items, TTreeNode* root)
{
    std::vector<TTreeNode*> menus = {root->Item(2)};
    for (int m = 0; m < 4; ++m) {
        TTreeNode* menu = Add(items, root, u"Menu " + String(1, char16_t(u'A' + m)), nkFolder);
        AddMessageMenuRows(items, menu);
        menus.push_back(menu);
    }
    int n = 0;
    for (TTreeNode* menu : menus)
        for (int f = 0; f < 10; ++f) {
            TTreeNode* folder = Add(items, menu, u"Folder " + String(1, char16_t(u'0' + f)), nkFolder);
            for (int g = 0; g < 10; ++g) {
                TTreeNode* inner = Add(items, folder, u"Inner folder " + String(1, char16_t(u'0' + g)), nkFolder);
                for (int k = 0; k < MessageCount / 500; ++k, ++n) {
                    TTreeNode* message = Add(items, inner, u"Message name " + String(1, char16_t(u'a' + k)), nkMessage);
                    message->Data = Content(n);
                    message->StateIndex = k == 0 ? 0x4000 + 0x41 + g : 0;
                }
            }
        }
}

