#include "editor/editor_app.h"

#include "editor/editor_frame.h"

bool EditorApp::OnInit()
{
    EditorFrame* frame = new EditorFrame("NautED", wxPoint(250, 50), wxSize(640, 480));
    frame->Show(true);
    SetTopWindow(frame);
    return true;
}
