' Prints what the registered vindle.CScrab reports for each library named on the command line.
' Wine's cscript drops an uncaught error silently, so every step reports Err.Number itself.
Option Explicit
On Error Resume Next
Dim scrab, i
Set scrab = CreateObject("vindle.CScrab")
WScript.Echo "create " & Err.Number
If Err.Number = 0 Then
    For i = 0 To WScript.Arguments.Count - 1
        Err.Clear
        scrab.FileName = WScript.Arguments(i)
        ' By position: the console cannot print every character of a path.
        WScript.Echo "count " & i & " " & scrab.NumberIcons & " " & Err.Number
    Next
End If
WScript.Echo "end"
