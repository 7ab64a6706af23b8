// EditorApp: NautED's application object: builds and shows the main frame.
#pragma once

#include <wx/app.h>

class EditorApp : public wxApp
{
public:
    bool OnInit() override;
};
