#include "info/info_viewer_sequence.h"

#include "info/info_blocks.h"
#include "info/info_reads.h"
#include "link/printer_link.h"

namespace rpanel {
namespace {

// Closes the link on every way out of the sequence, after the blocks are given back.
struct LinkCloser {
    ~LinkCloser() { ClosePrinterLink(); }
};

}  // namespace

bool OpenInfoViewer(MessageSink& owner, AppState& state, const RunInfoViewer& runViewer) {
    SetPrinterIds();
    if (OpenPrinterLink() == 0) {
        owner.ShowMessageById(msg::kOpenFailed);
        return false;
    }
    LinkCloser closer;
    InfoBlocks blocks(state, ValueBlocks::With);
    ReadAllMachineInfo(owner, state);
    ReadInfoValueBlock1(state);
    ReadInfoValueBlock2(state);
    runViewer(state);
    return true;
}

ViewerTexts InitialiseViewerTexts(MessageSink& viewer, AppState& state) {
    ViewerTexts texts = LabelTexts();
    ReadEnergySave(viewer, state);
    FillValueTexts(state, texts);
    return texts;
}

}  // namespace rpanel
