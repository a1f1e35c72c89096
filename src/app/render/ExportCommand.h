#pragma once

#include "RenderOptions.h"

#include "ExportJob.h"
#include "ShowFormat.h"

namespace Pellora::Render {

// The export job the command-line options ask for: the project (default: the data folder's), the
// output file and the encoder choices; the format itself is read from the project later.
Export::ExportJob JobFromOptions(const RenderOptions& options);
Export::ShowOverrides OverridesFromOptions(const RenderOptions& options);

// Runs one export to its end, showing progress on stderr unless quiet. SIGINT (Ctrl-C), SIGTERM or
// SIGHUP cancels it, keeping a playable file of the frames so far; a second one of them ends the
// program at once, removing the unfinished file. Prints the output path on stdout when a file was
// written. Returns 0 for a complete video, 128 + the signal's number after a cancel (also one that
// came before the first frame and left no file), 1 on failure; a failure or a cancel without a
// file says why in one line on stderr.
int RunExport(const Export::ExportJob& job, const Export::ShowOverrides& overrides, bool quiet);

// pellora-render --out FILE.mp4: exports the project.
int ExportVideo(const RenderOptions& options);

} // namespace Pellora::Render
