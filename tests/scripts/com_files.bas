' show: E L S A N X
' Scripting.FileSystemObject: objects returned by methods kept with SET,
' a text file written, read back and deleted, a property chain
SET FS = CreateObject("Scripting.FileSystemObject")
SET TMP = FS.GetSpecialFolder(2)
P = FS.BuildPath(TMP.Path, "korvex_com_script")
IF FS.FolderExists(P) THEN FS.DeleteFolder(P, TRUE)
SET DIR = FS.CreateFolder(P)
F = FS.BuildPath(P, "notes.txt")
SET W = FS.CreateTextFile(F, TRUE)
W.WriteLine("first line")
W.Write("second")
W.Close()
E = FS.FileExists(F)
SET T = FS.OpenTextFile(F)
L = T.ReadLine()
S = T.ReadAll()
A = T.AtEndOfStream
T.Close()
N = DIR.Files.Count
SET G = FS.GetFile(F)
PRINT G.Name, G.Size
FS.DeleteFolder(P, TRUE)
X = FS.FileExists(F)
