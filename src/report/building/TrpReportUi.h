#pragma once

class TrpInputUi;
class TrpMessageUi;
class TrpPreviewUi;
class TrpProgressUi;

// The windows the engine reaches without linking widgets: the window library
// installs them at start-up, tests install fakes. With none installed a
// report builds silently, INPUT gives its default text, errors go back to
// the caller only and ShowReport shows nothing.
class TrpReportUi
{
public:
    TrpProgressUi *progress = nullptr;
    TrpInputUi *input = nullptr;
    TrpMessageUi *message = nullptr;
    TrpPreviewUi *preview = nullptr;

    // The engine-wide set; the installer keeps the objects alive.
    [[nodiscard]] static TrpReportUi &installed();
    static void install(const TrpReportUi &ui);
};
