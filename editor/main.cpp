// NautED's entry: the toolkit creates EditorApp and runs its event loop.
#include "editor/editor_app.h"

wxIMPLEMENT_APP(EditorApp);
