#pragma once

namespace iplug
{
class IEditorDelegate;
}

// Initialises the plug-in's 37 parameters, in index order, with their names, ranges, shapes,
// display texts and groups.
void InitBrimvaleParams(iplug::IEditorDelegate& delegate);
