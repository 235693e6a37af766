' Goes through the files of the folder named on the command line with
' Scripting.FileSystemObject's Folder.Files, reading each name; prints the
' seconds and the files.
Set fs = CreateObject("Scripting.FileSystemObject")
T0 = Timer
N = 0
For Each f In fs.GetFolder(WScript.Arguments(0)).Files
  S = f.Name
  N = N + 1
Next
T = Timer - T0
WScript.Echo Replace(CStr(T), ",", ".") & " " & N
