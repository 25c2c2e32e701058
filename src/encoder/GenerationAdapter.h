// Maps the classic argument pieces to what a modern FFmpeg understands, just before use,
// so that the preview, the script and the run all show what the encoder really gets.
#pragma once

#include "encoder/ArgumentBuilder.h"
#include "encoder/EncoderGeneration.h"

namespace vardeno {

// For a classic encoder the pieces come back unchanged. For a modern one:
// "-vcodec libx264" -> "-vcodec libx264 -profile:v baseline -pix_fmt yuv420p" (H.264 Baseline,
// 8-bit 4:2:0, as the classic encoder made it); "-acodec libfaac" -> "-acodec aac"; "-b" -> "-b:v"; "-ab" -> "-b:a"; a decimal comma in "-r"
// becomes a point; "-vol N" -> "-af volume=<N/256>"; the four crop options -> one
// "-vf crop=iw-(L+R):ih-(T+B):L:T" at the place of the first of them (a later "-s" still scales
// the cropped picture). The user's additional parameters are never touched.
// cropInPictureFilter: the crop options are left out, because the file's picture filter
// (encoder/PictureChain.h, used when subtitles are burned in) crops.
ArgumentPieces AdaptPieces(const ArgumentPieces& classic, EncoderGeneration generation,
                           bool cropInPictureFilter = false);

}  // namespace vardeno
