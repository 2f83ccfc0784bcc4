// The dialog framework as the program's windows rely on it: messages reach the
// handler their map names, pre-translation sees queued messages before
// dispatch and can consume them, handler results reach the sender, and the
// modal loop ends with the result given to EndDialog.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "window/dialog.h"
#include "window/handles.h"

namespace trv::win {
namespace {

constexpr UINT kTemplate = 9001;
constexpr UINT kConsumed = WM_APP + 1;  // eaten by pre-translation
constexpr UINT kAsk = WM_APP + 2;       // answered by a handler
constexpr UINT kFinishCommand = 100;

class ProbeDialog : public MappedDialog<ProbeDialog> {
  public:
    ProbeDialog() : MappedDialog(::GetModuleHandleW(nullptr), kTemplate) {}

    static std::span<const MessageEntry<ProbeDialog>> messageMap() {
        using Self = ProbeDialog;
        static const std::array<MessageEntry<Self>, 4> map{{
            onMessage<Self>(kConsumed, &Self::OnConsumed),
            onMessage<Self>(kAsk, &Self::OnAsk),
            onNotify<Self>(kFinishCommand, BN_CLICKED, &Self::OnFinish),
            onCommand<Self>(kFinishCommand + 1, &Self::OnFinish),
        }};
        return map;
    }

    std::vector<std::string> events;
    LRESULT answer = 0;
    WPARAM finishWith = kFinishCommand;

  protected:
    BOOL OnInitDialog() override {
        ::PostMessageW(hwnd(), kConsumed, 0, 0);
        ::PostMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(kFinishCommand, EN_CHANGE), 0);
        ::PostMessageW(hwnd(), WM_COMMAND, finishWith, 0);
        return TRUE;
    }

    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == kConsumed) {
            events.push_back("pre-translated");
            answer = ::SendMessageW(hwnd(), kAsk, 0, 0);
            return TRUE;
        }
        return FALSE;
    }

  private:
    std::optional<LRESULT> OnConsumed(WPARAM, LPARAM) {
        events.push_back("dispatched");
        return 0;
    }
    std::optional<LRESULT> OnAsk(WPARAM, LPARAM) { return 12345; }
    std::optional<LRESULT> OnFinish(WPARAM wParam, LPARAM) {
        events.push_back("finish " + std::to_string(LOWORD(wParam)));
        EndDialog(42);
        return 0;
    }
};

TEST(DialogFramework, ModalLoopPreTranslatesDispatchesByMapAndEndsWithTheGivenResult) {
    ProbeDialog dialog;
    EXPECT_EQ(dialog.DoModal(), 42);
    // The consumed message never reached its handler; the command with the
    // wrong notification code matched nothing; the handler's result reached
    // the sender.
    EXPECT_EQ(dialog.events, (std::vector<std::string>{"pre-translated", "finish 100"}));
    EXPECT_EQ(dialog.answer, 12345);
    EXPECT_EQ(dialog.hwnd(), nullptr) << "the window is gone once the loop ends";
}

TEST(DialogFramework, CommandEntryWithoutNotificationCodeMatchesAnyCode) {
    ProbeDialog dialog;
    dialog.finishWith = MAKEWPARAM(kFinishCommand + 1, 7);
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_EQ(dialog.events.back(), "finish 101");
}

TEST(DialogFramework, MissingTemplateGivesMinusOne) {
    class Missing : public Dialog {
      public:
        Missing() : Dialog(::GetModuleHandleW(nullptr), 4242) {}
    } dialog;
    EXPECT_EQ(dialog.DoModal(), -1);
}

// Counts its WM_DESTROY and, when asked, runs a second modal dialog from
// inside a handler, as the assignment dialogs run from the main window's.
class DestroyProbe : public MappedDialog<DestroyProbe> {
  public:
    explicit DestroyProbe(HWND owner = nullptr)
        : MappedDialog(::GetModuleHandleW(nullptr), kTemplate, owner) {}

    static std::span<const MessageEntry<DestroyProbe>> messageMap() {
        using Self = DestroyProbe;
        static const std::array<MessageEntry<Self>, 2> map{{
            onMessage<Self>(WM_DESTROY, &Self::OnDestroy),
            onCommand<Self>(kFinishCommand, &Self::OnFinish),
        }};
        return map;
    }

    int destroyed = 0;
    int nestedDestroyed = -1;
    bool nest = false;

  protected:
    BOOL OnInitDialog() override {
        ::PostMessageW(hwnd(), WM_COMMAND, kFinishCommand, 0);
        return TRUE;
    }

  private:
    std::optional<LRESULT> OnDestroy(WPARAM, LPARAM) {
        ++destroyed;
        return std::nullopt;
    }
    std::optional<LRESULT> OnFinish(WPARAM, LPARAM) {
        if (nest) {
            DestroyProbe inner(hwnd());
            inner.DoModal();
            nestedDestroyed = inner.destroyed;
        }
        EndDialog(IDOK);
        return 0;
    }
};

TEST(DialogFramework, DestroyReachesTheMapOncePerRunAlsoForADialogRunFromAHandler) {
    DestroyProbe outer;
    outer.nest = true;
    EXPECT_EQ(outer.DoModal(), IDOK);
    EXPECT_EQ(outer.nestedDestroyed, 1);
    EXPECT_EQ(outer.destroyed, 1);
    outer.nest = false;
    EXPECT_EQ(outer.DoModal(), IDOK);
    EXPECT_EQ(outer.destroyed, 2);
}

TEST(HandleOwners, CloseTheirHandleWhenResetOrDestroyed) {
    HANDLE raw = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    ASSERT_NE(raw, nullptr);
    DWORD flags = 0;
    {
        KernelHandle owner(raw);
        EXPECT_TRUE(::GetHandleInformation(raw, &flags));
        KernelHandle moved(std::move(owner));
        EXPECT_FALSE(owner);
        EXPECT_EQ(moved.get(), raw);
    }
    EXPECT_FALSE(::GetHandleInformation(raw, &flags));

    Brush brush(::CreateSolidBrush(RGB(1, 2, 3)));
    HGDIOBJ object = brush.get();
    EXPECT_NE(::GetObjectType(object), 0u);
    brush.reset();
    EXPECT_EQ(::GetObjectType(object), 0u);
}

}  // namespace
}  // namespace trv::win
