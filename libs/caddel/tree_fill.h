// Filling a record tree: each live record becomes a node, placed under the
// first node depth first whose ID values are the record's OWN values; its
// caption is asked from the owner window with the tree's caption command.
#pragma once

#include "record_tree.h"

enum class AddResult { kAdded, kSkipped, kFailed };

// The caption of the current record into the tree's buffer (its first
// kCaptionKept bytes zeroed before, the text cut to kCaptionKept - 1
// characters after). False with no caption command, or when the handler
// took the tree's window away.
bool AskCaption(RecordTree& tree);

// Adds the node of record r: a deleted record is skipped; kFailed when the
// record cannot be reached, no caption comes or the tree view refuses it.
AddResult AddRecordNode(RecordTree& tree, long record);

// Show's fill: every record from 1 to the count under the progress dialog,
// until the first that cannot be added. False when the tree's window went
// during the fill.
bool FillTree(RecordTree& tree);
