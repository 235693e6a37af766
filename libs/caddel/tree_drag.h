// Dragging a node, one step per call from the script's tree event
// handlers: the begin-drag notice starts it, mouse positions move it, and
// 0 drops it on the node then selected.
#pragma once
#include <windows.h>

#include "record_tree.h"

// One step of CADDEL_Drag (see the export); 0 for a Param that is not this
// tree's begin-drag notice when no drag is under way.
long DragStep(RecordTree& tree, LPARAM param);
// Ends a drag under way: the image-list drag, the capture, the cursor.
void EndTreeDrag(RecordTree& tree);
