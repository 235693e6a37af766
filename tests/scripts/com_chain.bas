' show: NAME
' SET N = N.member walks a chain: the source is read before N is emptied
SET A = CreateObject("Scripting.Dictionary")
SET B = CreateObject("Scripting.Dictionary")
B.Add("name", "second")
A.Add("next", B)
ERASE B
N = A
SET N = N.Item["next"]
NAME = N.Item["name"]
