#include "win32/deferred_texts.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>

#include "win32/message_loop.h"
#include "win32/text_encoding.h"

namespace talvorne {

struct DeferredTexts::Box {
  enum class State { kWritten, kPending, kWriting };

  Box(HWND box, bool isRichEdit) : window(box), richEdit(isRichEdit) {}

  HWND window;
  bool richEdit;
  State state = State::kWritten;
  std::wstring text;
  // How much of the text the box holds; none until its write begins.
  std::size_t written = 0;
  // The box's own messages from this file pass untouched.
  bool sendingOwn = false;

  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    const bool outer = sendingOwn;
    sendingOwn = true;
    const LRESULT result = SendMessageW(window, message, wParam, lParam);
    sendingOwn = outer;
    return result;
  }

  // The box holds its text: nothing more is answered for it.
  void Complete() {
    Send(EM_SETREADONLY, FALSE);
    state = State::kWritten;
    text = std::wstring();
  }

  bool WaitingToBeShown() const { return state != State::kWritten && Control(window).Visible(); }

  void WriteWhole() {
    Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    Complete();
  }

  // A rich edit's WM_GETTEXT, and its EM_GETTEXTEX when asked, end each paragraph with CR LF.
  std::wstring View(bool crLf) const {
    if (!crLf) return text;
    std::wstring view;
    view.reserve(text.size() +
                 static_cast<std::size_t>(std::count(text.begin(), text.end(), L'\r')));
    for (const wchar_t c : text) {
      view += c;
      if (c == L'\r') view += L'\n';
    }
    return view;
  }

  std::size_t Length(bool crLf) const {
    return text.size() +
           (crLf ? static_cast<std::size_t>(std::count(text.begin(), text.end(), L'\r')) : 0);
  }

  // Copies at most capacity - 1 characters and a terminating null; the count copied.
  LRESULT CopyTo(wchar_t* buffer, std::size_t capacity, bool crLf) const {
    if (buffer == nullptr || capacity == 0) return 0;
    const std::wstring view = View(crLf);
    const std::size_t count = std::min(view.size(), capacity - 1);
    std::copy_n(view.data(), count, buffer);
    buffer[count] = L'\0';
    return static_cast<LRESULT>(count);
  }
};

namespace {

using State = DeferredTexts::Box::State;

constexpr UINT_PTR kSubclassId = 0x7e47;

// A slice takes about this long to write, so that the window never stands still for long; each
// EM_REPLACESEL costs Wine some 15 ms or more whatever its length, so shorter slices would slow
// the whole write down.
constexpr double kSliceSeconds = 0.070;
constexpr std::size_t kFirstSliceLength = 4096;
constexpr std::size_t kShortestSlice = 1024;
constexpr std::size_t kLongestSlice = std::size_t{1} << 20;

double Seconds() {
  LARGE_INTEGER frequency, count;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The next slice's length, from how many seconds the last one took; it at most doubles.
std::size_t NextSliceLength(std::size_t length, double took) {
  const double scale = took > 0 ? kSliceSeconds / took : 2.0;
  const double next = static_cast<double>(length) * std::min(scale, 2.0);
  return std::clamp(static_cast<std::size_t>(next), kShortestSlice, kLongestSlice);
}

// The first end of line at or after position: after a CR LF, or before a CR that begins an entry
// of its own; slices then never part a CR from its LF.
std::size_t LineBoundaryAfter(const std::wstring& text, std::size_t position) {
  const std::size_t cr = text.find(L'\r', position);
  if (cr == std::wstring::npos) return text.size();
  return cr + 1 < text.size() && text[cr + 1] == L'\n' ? cr + 2 : cr;
}

void WriteSlice(DeferredTexts::Box& box, std::size_t length) {
  const std::size_t end =
      LineBoundaryAfter(box.text, std::min(box.written + length, box.text.size()));
  const std::wstring slice = box.text.substr(box.written, end - box.written);
  if (box.state == State::kPending) {
    box.Send(EM_SETREADONLY, TRUE);
    box.Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(slice.c_str()));
    box.state = State::kWriting;
  } else {
    box.Send(EM_SETSEL, box.written, static_cast<LPARAM>(box.written));
    box.Send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(slice.c_str()));
  }
  box.written = end;
  if (end < box.text.size()) return;
  // Moving the caret away from the end would cost each further slice as much again: it goes back
  // to the start once, at the end.
  box.Send(EM_SETSEL, 0, 0);
  box.Send(EM_SCROLLCARET);
  box.Complete();
}

// Messages that read or change the laid-out text, or the selection in it: the box must hold the
// text first. Typing and the clipboard count only before the write has begun; once it has, the box
// is read-only and ignores them.
bool NeedsText(UINT message, State state) {
  switch (message) {
    case EM_GETSEL:
    case EM_SETSEL:
    case EM_EXGETSEL:
    case EM_EXSETSEL:
    case EM_GETLINECOUNT:
    case EM_GETLINE:
    case EM_LINEINDEX:
    case EM_LINELENGTH:
    case EM_LINEFROMCHAR:
    case EM_EXLINEFROMCHAR:
    case EM_GETFIRSTVISIBLELINE:
    case EM_POSFROMCHAR:
    case EM_CHARFROMPOS:
    case EM_GETHANDLE:
    case EM_SETHANDLE:
    case EM_REPLACESEL:
    case EM_GETSELTEXT:
    case EM_GETTEXTRANGE:
    case EM_FINDTEXTW:
    case EM_FINDTEXTEXW:
    case EM_STREAMIN:
    case EM_STREAMOUT:
      return true;
    case WM_CHAR:
    case WM_KEYDOWN:
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
      return state == State::kPending;
    default:
      return false;
  }
}

LRESULT CALLBACK DeferredTextBox(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR data) {
  auto& box = *reinterpret_cast<DeferredTexts::Box*>(data);
  if (box.state == State::kWritten || box.sendingOwn) {
    return DefSubclassProc(window, message, wParam, lParam);
  }
  switch (message) {
    case WM_SETTEXT:
      // Another text replaces ours, as it would the box's own.
      box.Complete();
      break;
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(box.Length(box.richEdit));
    case WM_GETTEXT:
      return box.CopyTo(reinterpret_cast<wchar_t*>(lParam), wParam, box.richEdit);
    case EM_GETTEXTLENGTHEX: {
      const auto* how = reinterpret_cast<const GETTEXTLENGTHEX*>(wParam);
      if (box.richEdit && how != nullptr && how->codepage == 1200) {
        const std::size_t length = box.Length((how->flags & GTL_USECRLF) != 0);
        return static_cast<LRESULT>((how->flags & GTL_NUMBYTES) != 0 ? 2 * length : length);
      }
      // Another code page: the box counts its own text.
      box.WriteWhole();
      break;
    }
    case EM_GETTEXTEX: {
      const auto* how = reinterpret_cast<const GETTEXTEX*>(wParam);
      if (box.richEdit && how != nullptr && how->codepage == 1200 &&
          (how->flags & GT_SELECTION) == 0) {
        return box.CopyTo(reinterpret_cast<wchar_t*>(lParam), how->cb / sizeof(wchar_t),
                          (how->flags & GT_USECRLF) != 0);
      }
      box.WriteWhole();
      break;
    }
    default:
      if (NeedsText(message, box.state)) box.WriteWhole();
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

DeferredTexts::DeferredTexts(ProgressBar bar, const std::vector<Memo>& memos,
                             const std::vector<RichEdit>& richEdits)
    : bar_(bar) {
  const auto add = [this](const Control& box, bool richEdit) {
    boxes_.push_back(std::make_unique<Box>(box.Handle(), richEdit));
    SetWindowSubclass(box.Handle(), DeferredTextBox, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(boxes_.back().get()));
  };
  for (const Memo& memo : memos) add(memo, false);
  for (const RichEdit& richEdit : richEdits) add(richEdit, true);
}

DeferredTexts::~DeferredTexts() {
  for (const auto& box : boxes_) {
    if (IsWindow(box->window)) RemoveWindowSubclass(box->window, DeferredTextBox, kSubclassId);
  }
}

void DeferredTexts::SetText(const Control& control, std::string_view text) {
  for (const auto& box : boxes_) {
    if (box->window != control.Handle()) continue;
    box->text = Widen(text);
    box->written = 0;
    box->state = Box::State::kPending;
  }
}

DeferredTexts::Box* DeferredTexts::NextShownBox() const {
  for (const auto& box : boxes_) {
    if (box->WaitingToBeShown()) return box.get();
  }
  return nullptr;
}

void DeferredTexts::WriteShown() {
  writing_.Run([this] {
    std::size_t total = 0;
    for (const auto& box : boxes_) {
      if (box->WaitingToBeShown()) total += box->text.size() - box->written;
    }
    std::size_t done = 0;
    std::size_t sliceLength = kFirstSliceLength;
    while (Box* box = NextShownBox()) {
      const double start = Seconds();
      const std::size_t before = box->written;
      WriteSlice(*box, sliceLength);
      done += box->written - before;
      if (total > 0) bar_.ShowShare(std::min(done, total), total);
      sliceLength = NextSliceLength(sliceLength, Seconds() - start);
      if (!ProcessPendingMessages()) return;
    }
  });
}

}  // namespace talvorne
