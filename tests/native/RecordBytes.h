// Fixture bytes of data files and snippet files, written field by field independently of the
// code under test, and the shape of a subtree as levels alone must rebuild it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "FakeOs.h"
#include "core/NodeKinds.h"
#include "core/SnippetTree.h"

inline constexpr char16_t EmptyDigest[] = u"D41D8CD98F00B204E9800998ECF8427E";

// The real digest of the empty text, which every header carries.
struct DigestOs : FakeOs {
    String Md5Hex(StringView text) override { return text.empty() ? EmptyDigest : FakeOs::Md5Hex(text); }
};

struct Raw {
    std::vector<std::uint8_t> v;
    Raw& I(std::int64_t x)
    {
        for (int i = 0; i < 4; ++i)
            v.push_back(static_cast<std::uint8_t>(static_cast<std::uint64_t>(x) >> (8 * i)));
        return *this;
    }
    Raw& Units(StringView s)
    {
        for (char16_t c : s) {
            v.push_back(static_cast<std::uint8_t>(c));
            v.push_back(static_cast<std::uint8_t>(c >> 8));
        }
        return *this;
    }
    Raw& S(StringView s) { return I(static_cast<std::int64_t>(2 * s.size())).Units(s); }
    Raw& Header() { return I(0x245A78C0).I(1000).Units(EmptyDigest).I(0); }
    Raw& Rec(int level, StringView name, int kind = nkMessage, StringView content = u"", int hotkey = 0,
             int reserved = 0)
    {
        return I(level).I(kind).I(hotkey).I(reserved).S(name).S(content);
    }
    Raw& Block(const Raw& records) { return I(static_cast<std::int64_t>(records.v.size())).Append(records); }
    Raw& Append(const Raw& other)
    {
        v.insert(v.end(), other.v.begin(), other.v.end());
        return *this;
    }
};

// The subtree as "name{children},name".
inline std::string Shape(const TTreeNode* node, int from = 0)
{
    std::string out;
    for (int i = from; i < node->Count(); ++i) {
        const TTreeNode* child = node->Item(i);
        out += (i > from ? "," : "") + ToUtf8(child->Text);
        if (child->HasChildren())
            out += "{" + Shape(child) + "}";
    }
    return out;
}
