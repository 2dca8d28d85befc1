#pragma once

// The control and menu identifiers of the Windows windows: how a window's code, a test driving the
// windows through their messages and an accessibility tool find each control. Numbers are stable.
namespace winui::ids
{

// Main window (Form1): controls.
inline constexpr int Text1 = 101;    // folder box, an editable combo box
inline constexpr int Command1 = 102; // opens the folder picker
inline constexpr int Frame1 = 103;
inline constexpr int Frame3 = 104;
inline constexpr int Option1 = 105; // icon from an icon or picture file
inline constexpr int Option2 = 106; // icon from an icon library
inline constexpr int Check2 = 107;  // make icon
inline constexpr int Frame2 = 108;
inline constexpr int Text2 = 109;    // icon file or library file
inline constexpr int Command2 = 110; // chooses the icon file
inline constexpr int Label1_0 = 111;
inline constexpr int Text3 = 112;    // icon index
inline constexpr int Command6 = 113; // browses the library's icons
inline constexpr int Check1 = 114;   // make info tip
inline constexpr int Frame4 = 115;
inline constexpr int Text4 = 116;  // info tip
inline constexpr int Check3 = 117; // make background picture and name colour
inline constexpr int Frame8 = 118;
inline constexpr int Text5 = 119;     // background picture file
inline constexpr int Command10 = 120; // chooses the picture
inline constexpr int Label1_1 = 121;
inline constexpr int Picture1 = 122;  // name colour swatch
inline constexpr int Command11 = 123; // chooses the colour
inline constexpr int Command3 = 124;  // apply
inline constexpr int Command4 = 125;  // remove

// Main window: menu items (WM_COMMAND identifiers).
inline constexpr int mnuFileSelfile = 201;
inline constexpr int mnuFileicobyFile = 202;
inline constexpr int mnuFileicobyLib = 203;
inline constexpr int mnuFileCopyIcon = 204;
inline constexpr int mnuDirSeldir = 205;
inline constexpr int mnuDireditlist = 206;
inline constexpr int mnuPrefOpt = 207;
inline constexpr int mnuLngSel = 208;
inline constexpr int mnuAbout = 209;

// Dialogs: each window numbers its own controls from 1001; Command1…Command3 and the others keep
// their names' numbers so a driver finds "Command1" of any dialog at the same identifier.
inline constexpr int dlgCommand1 = 1001;
inline constexpr int dlgCommand2 = 1002;
inline constexpr int dlgCommand3 = 1003;
inline constexpr int dlgCheck1 = 1011;
inline constexpr int dlgCheck2 = 1012;
inline constexpr int dlgOption1 = 1021;
inline constexpr int dlgOption2 = 1022;
inline constexpr int dlgOption3 = 1023;
inline constexpr int dlgOption4 = 1024;
inline constexpr int dlgFrame1 = 1031;
inline constexpr int dlgLabel1 = 1041;
inline constexpr int dlgText1 = 1051;
inline constexpr int dlgList1 = 1061;       // Form3's folder list, Form5's language list
inline constexpr int dlgFolderView1 = 1071; // Form2's folder tree
inline constexpr int dlgImage1 = 1081;      // Form2's icon preview

} // namespace winui::ids
