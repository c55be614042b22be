#pragma once

#include <QString>

class QAbstractButton;
class QLabel;
class QLineEdit;

namespace nowplaying {

class CoverSearch;

// The status and title labels, fed from the hidden status and title slots, and the start of a
// cover search for each new title. Runs on the GUI thread.
class NowPlayingDisplay {
public:
    // Font sizes of the title label in pixels: 8 and 6 points at 96 dots per inch.
    static constexpr int kLargePixels = 11;
    static constexpr int kSmallPixels = 8;
    // Wider than this at the large size, the title goes small; it is never made smaller.
    static constexpr int kTitleWidth = 177;

    struct Controls {
        QLabel* calan1;            // status label
        QLabel* calan2;            // title label, Tahoma bold
        QLineEdit* edt_1;          // status slot
        QLineEdit* edt_2;          // title slot
        QAbstractButton* Button1;  // runs the cover search when clicked
    };

    // The controls and the cover search belong to the window and outlive this object. Each label
    // gets its slot as buddy, which makes it read "&" as a mnemonic marker and show "&&" as "&".
    NowPlayingDisplay(Controls controls, const CoverSearch& covers);

    // The slots' change handlers: refresh both labels from both slots; a title other than the
    // one last searched (compared untrimmed) clicks Button1, and the search runs to its end
    // before this returns.
    void edt_1Change();
    void edt_2Change();

    // Sets the title label to text, already escaped, at the large size, or at the small size
    // when the text as given is wider than the label.
    void FitTitleLabel(const QString& text);

private:
    void refreshLabels();

    Controls c_;
    const CoverSearch& covers_;
};

}  // namespace nowplaying
