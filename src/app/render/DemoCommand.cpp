#include "DemoCommand.h"

#include "DemoContent.h"
#include "ExportCommand.h"

#include <cstdlib>
#include <iostream>
#include <stdexcept>
#include <string>
#include <system_error>

namespace Pellora::Render {

namespace {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TemporaryFolder {
public:
    TemporaryFolder()
    {
        auto pattern = (std::filesystem::temp_directory_path() / "pellora-demo-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder for the demo show");
        }
        mPath = pattern;
    }
    ~TemporaryFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(mPath, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& Path() const { return mPath; }

private:
    std::filesystem::path mPath;
};

} // namespace

int ExportDemo(const RenderOptions& options)
{
    const TemporaryFolder folder;
    RenderOptions demo = options;
    demo.project = WriteDemoShow(folder.Path());
    demo.out = options.demo;
    if (!options.quiet) {
        std::cerr << "pellora-render: exporting the demo show to " << demo.out << "\n";
    }
    return RunExport(JobFromOptions(demo), OverridesFromOptions(demo), options.quiet);
}

} // namespace Pellora::Render
