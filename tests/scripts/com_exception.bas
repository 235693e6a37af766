' show: N $ERRTXT
' a server exception is error 151; a text left by an earlier one is not
' shown for an exception without a description
$ERRTXT = "stale"
SET D = CreateObject("Scripting.Dictionary")
D.Add("k", 1)
N = D.Count
D.Add("k", 2)
N = 99
