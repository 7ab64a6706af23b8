#include "editor/editor_canvas.h"

#include "editor/editor_frame.h"
#include "engine/gl_state.h"
#include "engine/texture.h"

#define ILUT_USE_OPENGL
#include <GL/gl.h>
#include <IL/il.h>
#include <IL/ilut.h>
#include <wx/dcclient.h>

unsigned int gBeamTexture = 0;

EditorCanvas::EditorCanvas(wxWindow* parent, EditorFrame* owner, const wxPoint& position,
                           const wxSize& size)
    : wxGLCanvas(parent, wxID_ANY, nullptr, position, size, wxFULL_REPAINT_ON_RESIZE), owner(owner)
{
}

EditorCanvas::~EditorCanvas() = default;

bool EditorCanvas::MakeCurrent()
{
    if (!IsShownOnScreen())
        return false;
    if (!context)
        context = std::make_unique<wxGLContext>(this);
    return context->IsOK() && SetCurrent(*context);
}

void EditorCanvas::StartGraphics()
{
    graphicsStarted = true;
    ilutRenderer(ILUT_OPENGL);
    gBeamTexture = LoadTexture(
        TextureDesc{"Data/GFX/BeamParticle.png", GL_LINEAR, GL_LINEAR, GL_CLAMP, GL_CLAMP});
}

void EditorCanvas::OnSize(wxSizeEvent& event)
{
    event.Skip();
    const wxSize size = GetClientSize();
    if (MakeCurrent())
        glViewport(0, 0, size.GetWidth(), size.GetHeight());
}

void EditorCanvas::OnPaint(wxPaintEvent&)
{
    Render();
}

void EditorCanvas::OnEnterWindow(wxMouseEvent&)
{
    SetFocus();
}

void EditorCanvas::OnEraseBackground(wxEraseEvent&) {}

void EditorCanvas::Render()
{
    wxPaintDC dc(this);
    if (!MakeCurrent())
        return;
    if (!graphicsStarted)
        StartGraphics();
    const wxSize size = GetClientSize();
    glViewport(0, 0, size.GetWidth(), size.GetHeight());
    SetupProjection(static_cast<float>(size.GetWidth()), static_cast<float>(size.GetHeight()));

    const EditorDocument& document = owner->document;
    if (document.gridShown)
    {
        const Colour& c = document.backgroundColor;
        glClearColor(c.r, c.g, c.b, 0.0f);
    }
    else
    {
        glClearColor(0.05f, 0.05f, 0.05f, 0.0f);
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SwapBuffers();
}

// clang-format off
wxBEGIN_EVENT_TABLE(EditorCanvas, wxGLCanvas)
    EVT_SIZE(EditorCanvas::OnSize)
    EVT_PAINT(EditorCanvas::OnPaint)
    EVT_ENTER_WINDOW(EditorCanvas::OnEnterWindow)
    EVT_ERASE_BACKGROUND(EditorCanvas::OnEraseBackground)
wxEND_EVENT_TABLE()
// clang-format on
