// Stored form definitions: the text format and its reader.
//
// A definition describes one component (a form or frame, the root) and the components it owns,
// nested as their parents hold them:
//
//   object FormProgress: TFormProgress          // root: its name and class
//     Caption = 'Converter'                      // string ('' inside doubles a quote; #13 is a
//     ClientWidth = 336                          //   character by code; + joins the parts)
//     BorderIcons = [biSystemMenu, biMinimize]   // set
//     Color = clBtnFace                          // identifier (enumeration, colour, cursor...)
//     Font.Height = -11                          // property of a sub-object
//     OnCreate = FormCreate                      // event bound to the root's method of that name
//     object btnPause: TButton                   // owned by the root, child of the enclosing
//       Left = 159                               //   control
//       ModalResult = 1
//     end
//     object Memo: TMemo
//       Lines.Strings = ('first line' 'second')   // list
//     end
//     object Image: TImage
//       Picture.Data = {07544269746D6170...}       // binary data, hexadecimal
//     end
//     object Grid: TSomeGrid
//       Columns = <                              // collection
//         item
//           Caption = 'Name'
//         end>
//     end
//     inline FrameFileList: TFrameFileList       // a frame read from its own definition first;
//       inherited FileList: TListView ...        //   "inherited" entries change its components
//     end
//   end
//
// Numbers: decimal, $hexadecimal, and floats with a point. Component references (PopupMenu =
// PopupMenu1) are resolved once the whole definition is read; a name with a point reaches a
// component of another form (FormMain.ImageList). Comments run from // to the end of the line.
//
// Each class's definition is the program's RCDATA resource named after the class (TFORMMAIN),
// compiled from resources/forms with wrc. Errors raise EReadError naming the form, the line and
// the property.
#pragma once
#include <windows.h>

#include <string>

#include "Classes.h"
#include "System.h"

// Reads the stored definitions of the instance's class and of its ancestors below rootAncestor
// (the most basic first) into the instance. False when none of those classes has a definition.
bool InitInheritedComponent(TComponent* instance, TClass rootAncestor);

// Reads one definition, given as text, into an existing root component. formName names the
// definition in error messages.
void ReadComponentText(const std::string& text, const std::string& formName, TComponent* root);

// The resource that holds a class's definition, or null.
HRSRC FindDefinitionResource(TClass cls);

// Integer properties take identifiers through these maps (colours, cursors, character sets and
// modal results are known; modules add their own constants at start-up).
using TIdentToInt = bool (*)(const std::string& ident, int64_t& value);
void RegisterIntegerConsts(TIdentToInt map);

// Start-up of this module: registers the framework's published properties and the classes that
// definitions create by name. Starts after ClassesUnit and the visual framework's other units.
extern const TUnitInfo FormReaderUnit;
