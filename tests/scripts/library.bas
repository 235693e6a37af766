' show: S T N R B
' DEF binds extension libraries; exports are called as statements, in
' expressions and as members of library objects
DEF SAMPLE
DEF SAMPLE
S = SAMPLE!SAMPLE_Add(2, 3) * 2
PRINT SAMPLE!SAMPLE_Add(40, 2), SAMPLE!SAMPLE_Released(0)
SAMPLE!SAMPLE_Add(1, 1)
DEF PROBE
T = PROBE!PROBE_Text("abc") & PROBE!PROBE_Nothing(0)
' the skipped argument of a NULL parameter is popped too
N = 0
FOR I = 1 TO 100
  N = N + PROBE!PROBE_Tail(I, "skipped", 1)
NEXT
SET H = PROBE.New(4)
SET C = H.Child()
PRINT H.Get(3), C.Get(0), PROBE!PROBE_Record(5), PROBE!PROBE_Released(0)
H.Get(1)
ERASE H
R = PROBE!PROBE_Removed(0)
DEF PROBE!PROBE_Spare(LONG<a>) BOOL
B = PROBE!PROBE_Spare(-1)
