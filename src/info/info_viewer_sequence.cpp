#include "info/info_viewer_sequence.h"

#include "info/info_blocks.h"
#include "info/info_reads.h"
#include "link/printer_command.h"

namespace rpanel {

bool OpenInfoViewer(MessageSink& owner, AppState& state, const RunInfoViewer& runViewer) {
    return RunPrinterCommand(owner, [&] {
        // The blocks are given back before the frame closes the link.
        InfoBlocks blocks(state, ValueBlocks::With);
        ReadAllMachineInfo(owner, state);
        ReadInfoValueBlock1(state);
        ReadInfoValueBlock2(state);
        runViewer(state);
    });
}

ViewerTexts InitialiseViewerTexts(MessageSink& viewer, AppState& state) {
    ViewerTexts texts = LabelTexts();
    ReadEnergySave(viewer, state);
    FillValueTexts(state, texts);
    return texts;
}

}  // namespace rpanel
