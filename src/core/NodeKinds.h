// Node kinds, kept in a node's ImageIndex; also the index of the row's picture.
#pragma once

enum TNodeKind : int {
    nkSeparator = -2,
    nkCommand = -1,
    nkCut = 0,
    nkCopy = 2,
    nkMessage = 4,
    nkFolder = 6,
    nkKind8 = 8,
    nkKind11 = 11,
    nkCell = 13,
    nkTile = 15,
    nkNew = 100,
    nkOrganize = 102,
};

constexpr int FolderOpenImageIndex = 7;
