#include "show/PhotoLoading.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>

namespace Rendering {

std::vector<Library::DecodedPicture> DecodePictures(const std::vector<std::filesystem::path>& paths, std::uint32_t dim,
    const std::atomic<bool>* cancelled)
{
    std::vector<Library::DecodedPicture> pictures(paths.size());
    std::atomic<std::size_t> next{0};
    std::exception_ptr failure;
    std::mutex failureLock;
    const auto work = [&] {
        try {
            for (std::size_t i = next++; i < paths.size() && !(cancelled && cancelled->load()); i = next++) {
                std::error_code error;
                if (std::filesystem::is_regular_file(paths[i], error)) {
                    pictures[i] = Library::DecodePicture(paths[i], dim);
                }
            }
        } catch (...) {
            const std::lock_guard lock(failureLock);
            failure = std::current_exception();
        }
    };
    const std::size_t workerCount =
        std::min<std::size_t>(paths.size(), std::max(1u, std::thread::hardware_concurrency()));
    if (workerCount <= 1) {
        work();
    } else {
        std::vector<std::jthread> workers;
        for (std::size_t i = 0; i < workerCount; ++i) {
            workers.emplace_back(work);
        }
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
    return pictures;
}

} // namespace Rendering
