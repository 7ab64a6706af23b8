// EditorCanvas: the editor's OpenGL drawing surface inside the main frame. Its view state and
// tools are those of EditTools, fed from its mouse and key events; every paint draws the whole
// document through its own wxGLContext. The context can only be made current once the window is on
// screen (GTK), so the image library's renderer and the beam texture are set up at the first paint.
#pragma once

#include "editor/edit_tools.h"

#include <wx/glcanvas.h>

#include <memory>

class EditorFrame;

// The glow texture "Data/GFX/BeamParticle.png"; 0 until loaded, or when it does not load.
extern unsigned int gBeamTexture;

class EditorCanvas : public wxGLCanvas, public EditTools
{
public:
    EditorCanvas(wxWindow* parent, EditorFrame* owner, const wxPoint& position, const wxSize& size);
    ~EditorCanvas() override;

    void OnSize(wxSizeEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnEnterWindow(wxMouseEvent& event);
    // Nothing is erased: every paint clears through OpenGL.
    void OnEraseBackground(wxEraseEvent& event);

    void OnMotion(wxMouseEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnRightDown(wxMouseEvent& event);
    void OnRightUp(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);

    void Render();
    // Steps 2 to 12 of a paint (everything but the paint context and the buffer swap), into
    // the current context; tests read the pixels back.
    void RenderScene(int width, int height);
    // Draws one record at the origin of the current transform.
    void DrawEntity(const EntityRecord& record);
    // Makes the context current; false while the window cannot take it yet.
    bool MakeCurrent();

    // Whether a paint has made the context current and set up the image library.
    bool GraphicsStarted() const { return graphicsStarted; }

    EditorFrame* owner;

private:
    void StartGraphics();

    std::unique_ptr<wxGLContext> context;
    bool graphicsStarted = false;

    wxDECLARE_EVENT_TABLE();
};
