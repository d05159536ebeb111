// Recognition of one pair from a sample Surface. Also redraws hueView and classView.
#pragma once

#include "surface.h"
#include "tessivo.h"

BlobPair RecognisePair(const Surface &source);

// Majority colour of one cell area; paints each voted pixel of classView.
BlobColour VoteArea(const Surface &source, int32_t left, int32_t top, int32_t columns,
                    int32_t rows);
