// Resource numbers shared by nimbet.rc and the sources.
#pragma once

#define NIMBET_WAIT_DIALOG 105
#define NIMBET_PROGRESS_DIALOG 107
#define NIMBET_PROGRESS_BAR 1000
#define NIMBET_WAIT_ANIMATION 1007
#define NIMBET_WAIT_TEXT 1008
