// MessageBoxWindow: layout, keys and drawing of the game's message boxes.
#include "app/platform/ui/MessageBoxWindow.h"

#include "app/Language.h"
#include "app/platform/TextCodec.h"
#include "app/platform/ui/BoxIcon.h"
#include "app/platform/ui/DialogButtons.h"
#include "app/platform/ui/DialogWindow.h"
#include "app/platform/ui/TextWrap.h"
#include "gfx/platform/FontFace.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace {

// The layout in pixels: the margin around the icon and text, the gap between them, the strip
// of buttons along the bottom (buttons of 50 x 14 dialog units, as the name dialog's).
constexpr int kMargin = 24;
constexpr int kIconGap = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 22;
constexpr int kButtonGap = 8;
constexpr int kStripPadding = 11;
constexpr int kStripHeight = kButtonHeight + 2 * kStripPadding;
constexpr int kMinWidth = 180;

// Width in pixels of the display showing owner (the first display without one). Windows wraps a
// box's text at word boundaries to a width derived from the screen's: the box may take up to
// three quarters of it.
int displayWidth(SDL_Window* owner) {
    SDL_Rect display{0, 0, 1024, 768};
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
        const int index = owner != nullptr ? std::max(SDL_GetWindowDisplayIndex(owner), 0) : 0;
        SDL_GetDisplayBounds(index, &display);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    return display.w;
}

class MessageBoxWindow : public DialogWindow {
  public:
    MessageBoxWindow(const std::string& text, UINT type);
    ~MessageBoxWindow() override;

    // Lays the box out and opens its window; false if it cannot be made.
    bool create(SDL_Window* owner, const std::string& caption);

    int answer;

  protected:
    void draw(DialogPainter& painter) override;
    void handle(const SDL_Event& e) override;
    void pad(PadButton button) override;
    void quitRequested() override { close(closedAnswer()); }
    // A Yes/No box offers no close, as MB_YESNO has none.
    bool offersClose() const override { return !isQuestion(); }

  private:
    bool isQuestion() const { return (type & 0xF) == MB_YESNO; }
    int closedAnswer() const { return isQuestion() ? IDNO : IDOK; }
    // The answer of button index.
    int answerOf(int index) const { return isQuestion() && index == 0 ? IDYES : closedAnswer(); }
    void placeButtons(int rowWidth);
    void close(int how);
    void handleKey(const SDL_Keysym& key);

    std::string text;
    UINT type;
    SDL_Surface* icon = nullptr;
    std::vector<std::string> lines;
    SDL_Rect textArea{0, 0, 0, 0};
    SDL_Point size{0, 0};
    DialogButtons buttons;
};

MessageBoxWindow::MessageBoxWindow(const std::string& text, UINT type)
    : answer((type & 0xF) == MB_YESNO ? IDNO : IDOK), text(text), type(type) {}

MessageBoxWindow::~MessageBoxWindow() {
    if (icon != nullptr) {
        SDL_FreeSurface(icon);
    }
}

bool MessageBoxWindow::create(SDL_Window* owner, const std::string& caption) {
    // The layout needs the font's measures: measure with a face of the dialogs' own.
    std::unique_ptr<FontFace> font(
        FontFace::open(dialogLook::kFaceName, 400, -dialogLook::kFontPixels));
    if (font == nullptr) {
        return false;
    }
    if (const std::optional<BoxIconKind> kind = boxIconKind(type)) {
        icon = makeBoxIcon(*kind);
    }
    const int iconSpace = icon != nullptr ? kBoxIconSize + kIconGap : 0;
    const int maxText = std::max(displayWidth(owner) * 3 / 4 - 2 * kMargin - iconSpace, 100);
    lines =
        wrapText(text, maxText, [&font](const std::string& line) { return font->measure(line); });
    int textWidth = 0;
    for (const std::string& line : lines) {
        textWidth = std::max(textWidth, font->measure(line));
    }
    const int lineHeight = font->getHeight();
    const int textHeight = lineHeight * static_cast<int>(lines.size());
    const int content = std::max(textHeight, icon != nullptr ? kBoxIconSize : 0);
    // Text shorter than the icon stands centred beside it; longer text starts at its top.
    textArea = {kMargin + iconSpace, kMargin + (content - textHeight) / 2, textWidth, textHeight};

    const int count = isQuestion() ? 2 : 1;
    const int rowWidth = count * kButtonWidth + (count - 1) * kButtonGap;
    const int captionRoom = font->measure(caption) + 2 * kMargin;
    size.x = std::max({kMargin + iconSpace + textWidth + kMargin, rowWidth + 2 * kStripPadding,
                       captionRoom, kMinWidth});
    size.y = kMargin + content + kMargin + kStripHeight;
    placeButtons(rowWidth);
    return open(caption, size.x, size.y, owner);
}

void MessageBoxWindow::placeButtons(int rowWidth) {
    // The buttons stand at the strip's right end, the default one first.
    int x = size.x - kStripPadding - rowWidth;
    const int y = size.y - kStripPadding - kButtonHeight;
    for (const char* label : isQuestion()
                                 ? std::vector<const char*>{tr(TextId::BoxYes), tr(TextId::BoxNo)}
                                 : std::vector<const char*>{tr(TextId::BoxOk)}) {
        buttons.add({x, y, kButtonWidth, kButtonHeight}, cp1250ToUtf8(label));
        x += kButtonWidth + kButtonGap;
    }
}

void MessageBoxWindow::close(int how) {
    answer = how;
    finish();
}

void MessageBoxWindow::handle(const SDL_Event& e) {
    switch (e.type) {
    case SDL_WINDOWEVENT:
        // A Yes/No box offers no close: only its buttons answer it.
        if (e.window.event == SDL_WINDOWEVENT_CLOSE && !isQuestion()) {
            close(IDOK);
        }
        break;
    case SDL_KEYDOWN:
        handleKey(e.key.keysym);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (e.button.button == SDL_BUTTON_LEFT) {
            const int clicked = buttons.mouse(e.button.type, e.button.x, e.button.y);
            if (clicked >= 0) {
                close(answerOf(clicked));
            }
        }
        break;
    default:
        break;
    }
}

void MessageBoxWindow::handleKey(const SDL_Keysym& key) {
    const int count = buttons.count();
    switch (key.sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
    case SDLK_SPACE:
        close(answerOf(buttons.getFocus()));
        break;
    case SDLK_ESCAPE:
        if (!isQuestion()) {
            close(IDOK);
        }
        break;
    case SDLK_TAB:
    case SDLK_RIGHT:
    case SDLK_DOWN:
        buttons.setFocus((buttons.getFocus() + 1) % count);
        break;
    case SDLK_LEFT:
    case SDLK_UP:
        buttons.setFocus((buttons.getFocus() + count - 1) % count);
        break;
    default:
        break;
    }
}

void MessageBoxWindow::pad(PadButton button) {
    const int count = buttons.count();
    switch (button) {
    case PadButton::A:
        close(answerOf(buttons.getFocus()));
        break;
    case PadButton::B:
        close(closedAnswer()); // No, or the OK of a box with nothing to choose
        break;
    case PadButton::Right:
        buttons.setFocus((buttons.getFocus() + 1) % count);
        break;
    case PadButton::Left:
        buttons.setFocus((buttons.getFocus() + count - 1) % count);
        break;
    default:
        break;
    }
}

void MessageBoxWindow::draw(DialogPainter& painter) {
    using namespace dialogLook;
    // The message stands on white above the grey strip of buttons.
    painter.fill({0, 0, size.x, size.y - kStripHeight}, kWhite);
    if (icon != nullptr) {
        painter.picture(icon, kMargin, kMargin);
    }
    int y = textArea.y;
    for (const std::string& line : lines) {
        painter.text(line, textArea.x, y, kBlack);
        y += painter.lineHeight();
    }
    buttons.draw(painter);
}

} // namespace

int runMessageBoxWindow(SDL_Window* owner, const std::string& text, const std::string& caption,
                        UINT type) {
    MessageBoxWindow box(text, type);
    if (!box.create(owner, caption)) {
        return 0;
    }
    box.run();
    return box.answer;
}
