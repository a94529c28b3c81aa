// The owners of system handles: a handle is closed exactly once, by its last owner, and a
// moved-from owner closes nothing. Checked first on a recorded handle type, then on real GDI
// objects, kernel handles, registry keys and a COM object, whose handles stop being valid
// exactly when their owner lets go.
#include <gtest/gtest.h>

#include <windows.h>

#include <unknwn.h>

#include <vector>

#include "win32/com_owners_win32.h"
#include "win32/gdi_owners_win32.h"
#include "win32/system_handles_win32.h"

namespace {

std::vector<int> g_closed;

struct RecordedTraits {
    using Handle = int;
    static Handle Invalid() noexcept { return 0; }
    static void Close(Handle handle) noexcept { g_closed.push_back(handle); }
};
using Recorded = UniqueHandle<RecordedTraits>;

TEST(Owners, AHandleIsClosedOnceByItsLastOwner) {
    g_closed.clear();
    {
        Recorded first(1);
        Recorded second(std::move(first));
        EXPECT_FALSE(first.IsValid());
        Recorded third(3);
        third = std::move(second);  // 3 goes now, 1 moves on
        EXPECT_EQ(g_closed, std::vector<int>({3}));
        third.Reset(1);  // the same handle again: nothing to close
        EXPECT_EQ(g_closed, std::vector<int>({3}));
        Recorded fourth(4);
        const int released = fourth.Release();
        EXPECT_EQ(released, 4);
        Recorded fifth(5);
        *fifth.Receive() = 6;  // 5 goes before its place is filled
        EXPECT_EQ(g_closed, std::vector<int>({3, 5}));
    }
    // Destroyed in reverse order: 6, then 1 through its last owner; 4 was given away.
    EXPECT_EQ(g_closed, std::vector<int>({3, 5, 6, 1}));
}

TEST(Owners, SystemObjectsGoExactlyWhenTheirOwnerDoes) {
    HGDIOBJ objects[6] = {};
    HANDLE event = nullptr;
    HKEY key = nullptr;
    {
        OwnedBitmap bitmap(CreateBitmap(4, 4, 1, 32, nullptr));
        OwnedBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
        OwnedFont font(CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial"));
        struct {
            LOGPALETTE header;
            PALETTEENTRY more[1];
        } palette = {{0x300, 2, {{0, 0, 0, 0}}}, {{255, 255, 255, 0}}};
        OwnedPalette ownedPalette(CreatePalette(&palette.header));
        OwnedRegion region(CreateRectRgn(0, 0, 5, 5));
        MemoryDc dc(CreateCompatibleDC(nullptr));
        objects[0] = bitmap.Get();
        objects[1] = brush.Get();
        objects[2] = font.Get();
        objects[3] = ownedPalette.Get();
        objects[4] = region.Get();
        objects[5] = dc.Get();
        for (HGDIOBJ object : objects) ASSERT_NE(GetObjectType(object), 0u);
        {
            ScopedSelect selected(dc.Get(), bitmap.Get());
            EXPECT_TRUE(selected.Succeeded());
        }
        // A moved owner keeps the object alive; the moved-from one lets go of nothing.
        OwnedBitmap kept = std::move(bitmap);
        { OwnedBitmap emptied = std::move(bitmap); }
        EXPECT_EQ(GetObjectType(objects[0]), static_cast<DWORD>(OBJ_BITMAP));

        OwnedHandle ownedEvent(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        event = ownedEvent.Get();
        OwnedRegistryKey ownedKey;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, ownedKey.Receive()), ERROR_SUCCESS);
        key = ownedKey.Get();
        OwnedHandle movedEvent = std::move(ownedEvent);
        DWORD flags = 0;
        EXPECT_TRUE(GetHandleInformation(event, &flags));
        EXPECT_FALSE(OwnedFileHandle().IsValid()) << "an empty file owner holds INVALID_HANDLE_VALUE";
    }
    for (HGDIOBJ object : objects) EXPECT_EQ(GetObjectType(object), 0u) << object;
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(event, &flags));
    EXPECT_EQ(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr),
              ERROR_INVALID_HANDLE);
}

// A COM object that counts its references.
class CountedObject : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** result) override {
        *result = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    ULONG references = 1;
};

TEST(Owners, ComPtrReleasesItsOneReference) {
    ScopedComInitialization com;
    EXPECT_TRUE(com.Succeeded());
    CountedObject object;
    {
        ComPtr<IUnknown> first(&object);
        ComPtr<IUnknown> second = std::move(first);
        EXPECT_EQ(object.references, 1u) << "moving takes no reference";
        second->AddRef();
        EXPECT_EQ(object.references, 2u);
        second->Release();
    }
    EXPECT_EQ(object.references, 0u);
}

}  // namespace
