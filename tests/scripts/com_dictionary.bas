' show: M N E Z I A C
' Scripting.Dictionary: methods, properties read and set with and without
' brackets, a chain through a nested object, and a copy outliving ERASE
SET D = CreateObject("Scripting.Dictionary")
D.CompareMode = 1
M = D.CompareMode
D.Add("a", 1)
D.Add("b", "два")
N = D.Count
E = D.Exists("b")
Z = D.Exists("z")
I = D.Item["b"]
D.Item["a"] = 5
A = D.Item["a"]
SET INNER = CreateObject("Scripting.Dictionary")
INNER.Add("k", 2.5)
D.Add("in", INNER)
PRINT D.Item["in"].Count, D.Item("in").Item["k"]
D.Item["in"].Item["k"] = "x"
PRINT INNER.Item["k"]
K = D
ERASE D
C = K.Count
PRINT K.Exists("a"), K.Item["a"] + 1
