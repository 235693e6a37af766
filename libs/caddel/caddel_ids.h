// Resource ids of CADDEL's bitmaps, in the order of the tree's image list.
#pragma once

#define CADDEL_BITMAP_RECORD_SET 102  // image 0
#define CADDEL_BITMAP_NODE 103        // image 1: every node
#define CADDEL_BITMAP_NODE_OPEN 104   // image 2: the selected node
