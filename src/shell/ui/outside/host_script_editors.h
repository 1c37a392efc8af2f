#pragma once
// The script text editor as the add-in manager library reaches it: the main window has a child
// object named "ondrixScriptEditors" (script_editor_service.h) offering, through Qt's meta-object
// system,
//
//   QWidget* createEditor(QWidget* parent, QString text)  the program's script text editor with its
//                                                         colouring, the user's editor options and
//                                                         F1 help, holding `text` (not modified);
//   QString text(QWidget* editor)                         the editor's text;
//   bool check(QWidget* editor)                           the editors' "Check script": compiles the
//                                                         text with the names a real run sees and
//                                                         says so, or shows the error and puts the
//                                                         caret on its line; true when it compiles.
//
// The library finds it by name, so it carries neither the editor nor the script engine itself.

inline constexpr const char* kScriptEditorsName = "ondrixScriptEditors";
