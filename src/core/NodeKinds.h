// Node kinds, kept in a node's ImageIndex; also the index of the row's picture.
#pragma once

enum TNodeKind : int {
    nkSeparator = -2,
    nkCommand = -1,
    nkCut = 0,
    nkCopy = 2,
    nkMessage = 4,
    nkFolder = 6,
    // Row kinds that the program never makes but keeps when a file brings them: a kind-8 row only
    // closes the menus when clicked and takes no part in drags; a kind-11 row closes them too, can
    // be dragged and takes drops, and sorts after the messages.
    nkKind8 = 8,
    nkKind11 = 11,
    nkCell = 13,
    nkTile = 15,
    nkNew = 100,
    nkOrganize = 102,
};

constexpr int FolderOpenImageIndex = 7;
