#include "editor/editor_canvas.h"

#include "editor/editor_frame.h"
#include "engine/gl_state.h"
#include "engine/line_model.h"
#include "engine/texture.h"
#include "engine/vertex_sink.h"

#define ILUT_USE_OPENGL
#include <GL/gl.h>
#include <IL/il.h>
#include <IL/ilut.h>
#include <wx/dcclient.h>
#include <wx/menu.h>

#include <cmath>

unsigned int gBeamTexture = 0;

namespace
{

constexpr GLushort kStipple = 0xAAAA;

void StippleOn()
{
    glLineStipple(1, kStipple);
    glEnable(GL_LINE_STIPPLE);
}

void StippleOff()
{
    glDisable(GL_LINE_STIPPLE);
}

// The red-to-yellow tick from a segment's midpoint along its normal.
void NormalTick(const Segment& segment)
{
    const float mx = (segment.x1 + segment.x2) * 0.5f;
    const float my = (segment.y1 + segment.y2) * 0.5f;
    glColor4f(1.0f, 0.0f, 0.0f, 1.0f);
    glVertex2f(mx, my);
    glColor4f(1.0f, 1.0f, 0.0f, 1.0f);
    glVertex2f(mx + 10.0f * segment.nx, my + 10.0f * segment.ny);
}

// One 3-pixel line from the start colour to the end colour, half transparent.
void PlainBeamLine(const Beam& beam)
{
    glColor4f(beam.startRed, beam.startGreen, beam.startBlue, 0.5f);
    glVertex2f(beam.x1, beam.y1);
    glColor4f(beam.endRed, beam.endGreen, beam.endBlue, 0.5f);
    glVertex2f(beam.x2, beam.y2);
}

// A circle as a closed polyline of n vertices in the current colour, and a point at its centre.
void DrawCircle(const Circle& circle, int segments)
{
    const int step = 360 / segments;
    glBegin(GL_LINE_LOOP);
    for (int k = 0; k < segments; ++k)
    {
        const float a = static_cast<float>(k * step) * 0.017453292f;
        glVertex2f(circle.x + circle.radius * std::sin(a), circle.y + circle.radius * std::cos(a));
    }
    glEnd();
    glBegin(GL_POINTS);
    glVertex2f(circle.x, circle.y);
    glEnd();
}

// One glow segment with its own texture and blending set-up.
void DrawGlowBeam(const Beam& beam, float width)
{
    VertexSink& sink = CurrentVertexSink();
    sink.BindTexture2D(gBeamTexture);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_COLOR, GL_ONE);
    sink.Begin(GL_QUADS);
    DrawBeam(beam, width);
    sink.End();
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}

void DrawGlowBeamThrice(const Beam& beam)
{
    DrawGlowBeam(beam, 15.0f);
    DrawGlowBeam(beam, 10.0f);
    DrawGlowBeam(beam, 10.0f);
}

} // namespace

EditorCanvas::EditorCanvas(wxWindow* parent, EditorFrame* owner, const wxPoint& position,
                           const wxSize& size)
    : wxGLCanvas(parent, wxID_ANY, nullptr, position, size, wxFULL_REPAINT_ON_RESIZE),
      EditTools(owner->document), owner(owner)
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

// Mouse and keys ------------------------------------------------------------------------

void EditorCanvas::OnMotion(wxMouseEvent& event)
{
    Motion(event.GetX(), event.GetY(), event.ButtonIsDown(wxMOUSE_BTN_LEFT),
           event.ButtonIsDown(wxMOUSE_BTN_MIDDLE));
    Refresh(true);
}

void EditorCanvas::OnLeftDown(wxMouseEvent& event)
{
    LeftDown(event.GetX(), event.GetY());
}

void EditorCanvas::OnLeftUp(wxMouseEvent&)
{
    LeftUp();
    Refresh(true);
}

void EditorCanvas::OnRightDown(wxMouseEvent&)
{
    const PopupKind kind = RightDown();
    if (kind == PopupKind::None)
    {
        Refresh(true);
        return;
    }
    wxMenu menu;
    for (const PopupItem& item : PopupItems(kind))
    {
        if (item.id == 0)
            menu.AppendSeparator();
        else
            menu.Append(item.id, item.caption, wxEmptyString);
    }
    // The chosen command reaches the frame through the event chain while the menu is up.
    PopupMenu(&menu);
    // GTK keeps the pointer grab through the popup, so the right release that would repaint
    // never arrives here: repaint now that the command has run.
    Refresh(true);
}

void EditorCanvas::OnRightUp(wxMouseEvent& event)
{
    event.Skip();
    Refresh(true);
}

void EditorCanvas::OnKeyDown(wxKeyEvent& event)
{
    switch (event.GetKeyCode())
    {
    case WXK_LEFT:
        PanByKey(-1, 0);
        break;
    case WXK_RIGHT:
        PanByKey(1, 0);
        break;
    case WXK_UP:
        PanByKey(0, -1);
        break;
    case WXK_DOWN:
        PanByKey(0, 1);
        break;
    default:
        break;
    }
    event.Skip();
    Refresh(true);
}

// Painting ------------------------------------------------------------------------------

void EditorCanvas::Render()
{
    wxPaintDC dc(this);
    if (!MakeCurrent())
        return;
    if (!graphicsStarted)
        StartGraphics();
    const wxSize size = GetClientSize();
    glViewport(0, 0, size.GetWidth(), size.GetHeight());
    RenderScene(size.GetWidth(), size.GetHeight());
    SwapBuffers();
}

void EditorCanvas::DrawEntity(const EntityRecord& record)
{
    const EditorDocument& document = owner->document;
    const std::int32_t* radius = RadiusOf(record);
    if (radius)
    {
        switch (static_cast<EntityKind>(record.type))
        {
        case EntityKind::AreaTrigger:
            glColor4f(1.0f, 0.0f, 1.0f, 1.0f);
            break;
        case EntityKind::MovingPlatform:
            glColor4f(0.0f, 1.0f, 1.0f, 1.0f);
            break;
        default:
            glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
            break;
        }
        StippleOn();
        DrawCircle(Circle(static_cast<float>(*radius), 0.0f, 0.0f), 20);
        StippleOff();
    }
    const int outline = OutlineIndexForKind(record.type);
    if (outline < 0)
        return;
    for (const Beam& beam : document.outlines[outline].beams)
    {
        if (document.gridShown)
        {
            glLineWidth(3.0f);
            glBegin(GL_LINES);
            PlainBeamLine(beam);
            glEnd();
            glLineWidth(1.0f);
        }
        else
        {
            DrawGlowBeamThrice(beam);
        }
    }
}

void EditorCanvas::RenderScene(int width, int height)
{
    const EditorDocument& document = owner->document;
    SetupProjection(static_cast<float>(width), static_cast<float>(height));

    // Clear.
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

    // Grid and origin line, in canvas coordinates.
    if (document.gridShown)
    {
        const Colour& c = document.gridColor;
        glBegin(GL_LINES);
        for (int pass = 0; pass < 2; ++pass)
        {
            const float shade = pass == 0 ? 1.0f : 0.5f;
            const int step = pass == 0 ? gridSize : 4 * gridSize;
            glColor4f(c.r * shade, c.g * shade, c.b * shade, 1.0f);
            for (int x = 0; x < width; x += step)
            {
                glVertex2f(static_cast<float>(x), 0.0f);
                glVertex2f(static_cast<float>(x), static_cast<float>(height));
            }
            for (int y = 0; y < height; y += step)
            {
                glVertex2f(0.0f, static_cast<float>(y));
                glVertex2f(static_cast<float>(width), static_cast<float>(y));
            }
        }
        glEnd();
        glColor4f(0.0f, 1.0f, 0.0f, 1.0f);
        StippleOn();
        glBegin(GL_LINES);
        glVertex2f(static_cast<float>(panX), 0.0f);
        glVertex2f(static_cast<float>(panX), static_cast<float>(height));
        glEnd();
        StippleOff();
    }

    // Rubber band.
    if (document.drawingBeam)
    {
        const Segment band(static_cast<float>(dragStartX), static_cast<float>(dragStartY),
                           static_cast<float>(dragX), static_cast<float>(dragY));
        StippleOn();
        glBegin(GL_LINES);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        glVertex2f(band.x1, band.y1);
        glVertex2f(band.x2, band.y2);
        NormalTick(band);
        glEnd();
        StippleOff();
    }

    // World coordinates from here on.
    glTranslatef(static_cast<float>(panX), static_cast<float>(panY), 0.0f);
    const float px = static_cast<float>(mouseX - panX);
    const float py = static_cast<float>(mouseY - panY);
    const bool hovering = document.editMode == Translate && !document.dragging;

    for (const Beam& beam : document.beams)
    {
        if (document.gridShown)
        {
            glLineWidth(3.0f);
            glBegin(GL_LINES);
            PlainBeamLine(beam);
            NormalTick(beam);
            glEnd();
            glLineWidth(1.0f);
        }
        else
        {
            DrawGlowBeamThrice(beam);
        }
        if (hovering)
        {
            StippleOn();
            glColor4f(1.0f, 1.0f, 0.0f, 1.0f);
            if (Distance(beam.x1, beam.y1, px, py) < 10.0f)
                DrawCircle(Circle(10.0f, beam.x1, beam.y1), 10);
            if (Distance(beam.x2, beam.y2, px, py) < 10.0f)
                DrawCircle(Circle(10.0f, beam.x2, beam.y2), 10);
            StippleOff();
        }
    }

    const EntityRecord* selected =
        (document.selectedRecord >= 0 &&
         static_cast<std::size_t>(document.selectedRecord) < document.records.size())
            ? document.records[static_cast<std::size_t>(document.selectedRecord)].get()
            : nullptr;
    for (const std::unique_ptr<EntityRecord>& record : document.records)
    {
        glTranslatef(record->x, record->y, 0.0f);
        glRotatef(record->angle, 0.0f, 0.0f, 1.0f);
        DrawEntity(*record);
        glRotatef(-record->angle, 0.0f, 0.0f, 1.0f);
        if (document.editMode == Rotate && record.get() == selected)
        {
            Vec2 facing;
            Vec2 side;
            AngleToVectors(record->angle - 90.0f, facing, side);
            glLineWidth(2.0f);
            glBegin(GL_LINES);
            glColor4f(1.0f, 0.0f, 0.0f, 1.0f);
            glVertex2f(0.0f, 0.0f);
            glColor4f(1.0f, 1.0f, 0.0f, 1.0f);
            glVertex2f(30.0f * facing.x, 30.0f * facing.y);
            glEnd();
            glLineWidth(1.0f);
        }
        glTranslatef(-record->x, -record->y, 0.0f);
        if (hovering)
        {
            StippleOn();
            glColor4f(1.0f, 1.0f, 0.0f, 1.0f);
            if (Distance(px, py, record->x, record->y) < 15.0f)
                DrawCircle(Circle(15.0f, record->x, record->y), 15);
            StippleOff();
        }
    }

    // The pending entity at the snapped pointer.
    if (document.pendingRecord)
    {
        const float x = static_cast<float>(dragX - panX);
        const float y = static_cast<float>(dragY - panY);
        const float angle = document.pendingRecord->angle;
        glTranslatef(x, y, 0.0f);
        glRotatef(angle, 0.0f, 0.0f, 1.0f);
        DrawEntity(*document.pendingRecord);
        glRotatef(-angle, 0.0f, 0.0f, 1.0f);
        glTranslatef(-x, -y, 0.0f);
    }

    // Copy box, in canvas coordinates.
    if (document.editMode == CopySection && dragStartY >= 0)
    {
        glTranslatef(static_cast<float>(-panX), static_cast<float>(-panY), 0.0f);
        StippleOn();
        glColor4f(1.0f, 1.0f, 0.0f, 1.0f);
        glBegin(GL_LINE_LOOP);
        glVertex2f(static_cast<float>(dragStartX), static_cast<float>(dragStartY));
        glVertex2f(static_cast<float>(dragX), static_cast<float>(dragStartY));
        glVertex2f(static_cast<float>(dragX), static_cast<float>(dragY));
        glVertex2f(static_cast<float>(dragStartX), static_cast<float>(dragY));
        glEnd();
        StippleOff();
        glTranslatef(static_cast<float>(panX), static_cast<float>(panY), 0.0f);
    }

    // Paste preview.
    if (document.editMode == Paste)
    {
        for (const Beam& beam : document.copyBeams)
            DrawGlowBeamThrice(beam);
        for (const std::unique_ptr<EntityRecord>& record : document.copyRecords)
        {
            glTranslatef(record->x, record->y, 0.0f);
            glRotatef(record->angle, 0.0f, 0.0f, 1.0f);
            DrawEntity(*record);
            glRotatef(-record->angle, 0.0f, 0.0f, 1.0f);
            glTranslatef(-record->x, -record->y, 0.0f);
        }
    }

    // Cursor cross.
    if (document.editMode == PlaceBeams)
    {
        const float cx = static_cast<float>(dragX - panX);
        const float cy = static_cast<float>(dragY - panY);
        glColor4f(0.0f, 1.0f, 0.0f, 1.0f);
        glBegin(GL_LINES);
        glVertex2f(cx - 8.0f, cy);
        glVertex2f(cx + 8.0f, cy);
        glVertex2f(cx, cy - 8.0f);
        glVertex2f(cx, cy + 8.0f);
        glEnd();
    }

    // Colour swatches, in canvas coordinates again.
    SetupProjection(static_cast<float>(width), static_cast<float>(height));
    glBegin(GL_QUADS);
    glColor4f(document.startColor.r, document.startColor.g, document.startColor.b, 1.0f);
    glVertex2f(5.0f, 5.0f);
    glVertex2f(15.0f, 5.0f);
    glVertex2f(15.0f, 10.0f);
    glVertex2f(5.0f, 10.0f);
    glColor4f(document.endColor.r, document.endColor.g, document.endColor.b, 1.0f);
    glVertex2f(5.0f, 15.0f);
    glVertex2f(15.0f, 15.0f);
    glVertex2f(15.0f, 20.0f);
    glVertex2f(5.0f, 20.0f);
    glEnd();
}

// clang-format off
wxBEGIN_EVENT_TABLE(EditorCanvas, wxGLCanvas)
    EVT_SIZE(EditorCanvas::OnSize)
    EVT_PAINT(EditorCanvas::OnPaint)
    EVT_ENTER_WINDOW(EditorCanvas::OnEnterWindow)
    EVT_MOTION(EditorCanvas::OnMotion)
    EVT_LEFT_DOWN(EditorCanvas::OnLeftDown)
    EVT_LEFT_UP(EditorCanvas::OnLeftUp)
    EVT_RIGHT_DOWN(EditorCanvas::OnRightDown)
    EVT_RIGHT_UP(EditorCanvas::OnRightUp)
    EVT_ERASE_BACKGROUND(EditorCanvas::OnEraseBackground)
    EVT_KEY_DOWN(EditorCanvas::OnKeyDown)
wxEND_EVENT_TABLE()
// clang-format on
