#pragma once

// What tests read back from the MetalNanoVG stand-in.
#include <cstdint>
#include <vector>

#import <QuartzCore/CAMetalLayer.h>

struct NVGcontext;

/** The pixels of a layer's drawable. */
struct StandInDrawable
{
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba; // top row first, width x height x 4 bytes
};

/** The drawable of the live context that draws into layer; empty when there is none or nothing
 * was flushed into it yet. */
StandInDrawable StandInReadMetalDrawable(CAMetalLayer* layer);
/** The flags nvgCreateMTL was given for a live context; -1 for anything else. */
int StandInMetalContextFlags(NVGcontext* ctx);
int StandInLiveMetalContexts();
int StandInLiveMetalFramebuffers();
/** How many nextDrawable calls answered nil so far (a hidden, minimised or covered window, or an
 * empty drawable size). On a Mac such a call may first wait on the calling thread for a second. */
int StandInMissedMetalDrawables();
