// Hands arbitrary playlist trees (any names, value types, nesting, missing
// children) to the controller, as a corrupt saved list would. The list must
// grow by exactly what Deserialize reports, and save back into a well-formed
// tree of the same length.
#include "Gui/Reelkit/PlaylistController.h"
#include "Gui/Reelkit/PlaylistListView.h"
#include "host/Property.h"

#include <QApplication>
#include <cstdlib>
#include <cstring>
#include <vector>

using Tarvos::Core::Property;

namespace {

// Builds a tree from the bytes with a small stack machine, so that the fuzzer
// reaches deep and odd shapes without having to learn a text syntax.
class TreeBuilder
{
public:
    TreeBuilder(const uint8_t* data, size_t size)
        : m_data(data)
        , m_size(size)
    {}

    Property Build()
    {
        Property root("playlist");
        root.SetArrayType();
        std::vector<Property*> stack { &root };
        while (m_position < m_size) {
            Property& top = *stack.back();
            switch (Byte() % 8) {
            case 0:
                if (stack.size() < MaxDepth)
                    stack.push_back(&top.Add(Property(Name())));
                break;
            case 1:
                top = Text();
                break;
            case 2: {
                std::int64_t value = 0;
                for (int i = 0; i < 8; ++i)
                    value = (value << 8) | Byte();
                top = value;
                break;
            }
            case 3:
                top = (Byte() & 1) != 0;
                break;
            case 4:
                if (stack.size() > 1)
                    stack.pop_back();
                break;
            case 5:
                top.SetArrayType();
                break;
            case 6:
                top = Property::Ratio(Byte() - 128, Byte() + 1);
                break;
            case 7:
                top.SetChild(Name(), Text());
                break;
            }
        }
        return root;
    }

private:
    static constexpr size_t MaxDepth = 64;

    uint8_t Byte() { return m_position < m_size ? m_data[m_position++] : 0; }

    std::string Name()
    {
        static const char* const names[]
            = { "filename", "audiostream", "videostream", "active", "", "playlist", "x" };
        return names[Byte() % (sizeof names / sizeof *names)];
    }

    std::string Text()
    {
        const size_t length = std::min<size_t>(Byte() % 32, m_size - m_position);
        std::string text(reinterpret_cast<const char*>(m_data + m_position), length);
        m_position += length;
        return text;
    }

    const uint8_t* m_data;
    size_t m_size;
    size_t m_position = 0;
};

Tarvos::Gui::PlaylistListView* view = nullptr;
boost::intrusive_ptr<Tarvos::Gui::PlaylistController> controller;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);
    view = new Tarvos::Gui::PlaylistListView;
    controller = Tarvos::Gui::PlaylistController::Create(view);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    controller->Clear();
    Property tree = TreeBuilder(data, size).Build();
    const int rows = controller->Deserialize(tree);
    if (rows != controller->GetItemCount())
        std::abort();
    int expected = 0;
    for (unsigned i = 0; i < tree.Count(); ++i)
        expected += tree[i].ChildExists("filename") ? 1 : 0;
    if (rows != expected)
        std::abort();

    const Property saved = controller->Serialize();
    if (saved.GetName() != "playlist" || int(saved.Count()) != rows)
        std::abort();
    int active = 0;
    for (unsigned i = 0; i < saved.Count(); ++i) {
        if (!saved[i].ChildExists("filename"))
            std::abort();
        active += saved[i].ChildExists("active") ? 1 : 0;
    }
    if (active > 1)
        std::abort();
    return 0;
}
