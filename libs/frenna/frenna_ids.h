// Resource ids of FRENNA's bitmaps: the tree control's node images.
#pragma once

#define FRENNA_BITMAP_OPEN_NODE 101  // a selected node
#define FRENNA_BITMAP_NODE 102       // a node
#define FRENNA_BITMAP_PAGE 103
