// The page-file format, its writers and its reader in one include.
#pragma once
#include "page_records.h"
#include "page_walker.h"
#include "page_writer.h"
