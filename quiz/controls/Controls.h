#pragma once

class QWidget;

namespace vortana {

class ClientArea;
class Label;
class PictureButton;
class TextBox;
class TickTimer;

// The main window's controls, each under its own name, as the quiz addresses
// them. The window owns them all.
struct Controls
{
    ClientArea *Form = nullptr;

    Label *lblNum1 = nullptr;
    Label *Label10 = nullptr;
    Label *lblNum2 = nullptr;
    Label *lblMessage = nullptr;

    TextBox *Text3 = nullptr;
    PictureButton *cmdNext = nullptr;
    PictureButton *cmdExit1 = nullptr;

    Label *Label6 = nullptr;
    Label *lblScore = nullptr;
    Label *Label1 = nullptr;
    Label *lblScore1 = nullptr;
    Label *Label3 = nullptr;
    Label *lblScore2 = nullptr;

    Label *Image1 = nullptr;
    Label *Label11 = nullptr;
    Label *lblconto = nullptr;
    TickTimer *Timer1 = nullptr;

    Label *Label14 = nullptr;
    Label *lblnome1 = nullptr;
    Label *Label12 = nullptr;
    Label *lblnome = nullptr;
    Label *Label13 = nullptr;
    Label *lblpunti = nullptr;

    TextBox *Text1 = nullptr;
    TextBox *Text6 = nullptr;
    TextBox *Text7 = nullptr;
    TextBox *Txtnome1 = nullptr;
    PictureButton *Command3 = nullptr;
};

} // namespace vortana
