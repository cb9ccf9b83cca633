#pragma once

// Every Cocoa class of the editor carries the plug-in's name and API as a suffix, so that two
// plug-ins built from this code can live in one host process without their classes colliding.
// The build gives the suffix (IGRAPHICS_OBJC_SUFFIX); the code names the classes plainly.
#ifndef IGRAPHICS_OBJC_SUFFIX
#error "IGRAPHICS_OBJC_SUFFIX must name the plug-in and API, e.g. vMyPlug_vst3"
#endif

#define IGRAPHICS_OBJC_JOIN2(a, b) a##_##b
#define IGRAPHICS_OBJC_JOIN(a, b) IGRAPHICS_OBJC_JOIN2(a, b)

#define IGraphicsView IGRAPHICS_OBJC_JOIN(IGraphicsView, IGRAPHICS_OBJC_SUFFIX)
#define IGraphicsMenu IGRAPHICS_OBJC_JOIN(IGraphicsMenu, IGRAPHICS_OBJC_SUFFIX)
#define IGraphicsMenuRcvr IGRAPHICS_OBJC_JOIN(IGraphicsMenuRcvr, IGRAPHICS_OBJC_SUFFIX)
#define IGraphicsTextField IGRAPHICS_OBJC_JOIN(IGraphicsTextField, IGRAPHICS_OBJC_SUFFIX)
#define IGraphicsTextFieldCell IGRAPHICS_OBJC_JOIN(IGraphicsTextFieldCell, IGRAPHICS_OBJC_SUFFIX)
#define IGraphicsFormatter IGRAPHICS_OBJC_JOIN(IGraphicsFormatter, IGRAPHICS_OBJC_SUFFIX)
