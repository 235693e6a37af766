' show: X N
' ERASE never calls a Remove export that takes more than the handle
DEF PROBEX
SET X = PROBEX.New()
N = PROBEX!PROBEX_Removed(0)
ERASE X
