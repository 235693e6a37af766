' show: N
' a member the server does not know: error 121
SET D = CreateObject("Scripting.Dictionary")
D.Add("a", 1)
N = D.Count
D.NoSuchMember(1)
N = 99
