// EditorCanvas: the editor's OpenGL drawing surface inside the main frame. It holds the view
// state (pan offset, grid size, pointer and drag points) and repaints through its own
// wxGLContext. The context can only be made current once the window is on screen (GTK), so
// the image library's renderer and the beam texture are set up at the first paint.
#pragma once

#include <wx/glcanvas.h>

#include <memory>

class EditorFrame;

// The glow texture "Data/GFX/BeamParticle.png"; 0 until loaded, or when it does not load.
extern unsigned int gBeamTexture;

class EditorCanvas : public wxGLCanvas
{
public:
    EditorCanvas(wxWindow* parent, EditorFrame* owner, const wxPoint& position, const wxSize& size);
    ~EditorCanvas() override;

    void OnSize(wxSizeEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnEnterWindow(wxMouseEvent& event);
    // Nothing is erased: every paint clears through OpenGL.
    void OnEraseBackground(wxEraseEvent& event);

    void Render();

    // Whether a paint has made the context current and set up the image library.
    bool GraphicsStarted() const { return graphicsStarted; }

    int mouseX = 0;
    int mouseY = 0;
    int panX = 0;
    int panY = 0;
    int gridSize = 8;
    int dragStartX = 0;
    int dragStartY = 0;
    int dragX = 0;
    int dragY = 0;
    EditorFrame* owner;

private:
    // Makes the context current; false while the window cannot take it yet.
    bool MakeCurrent();
    void StartGraphics();

    std::unique_ptr<wxGLContext> context;
    bool graphicsStarted = false;

    wxDECLARE_EVENT_TABLE();
};
