// The global allocation functions: running out of memory is the platform's fatal error.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

#include "platform/system.h"

namespace {

// "分配 N 字节内存失败!", built in a fixed buffer: there is no memory to build it in.
[[noreturn]] void ReportAllocationFailure(std::size_t size)
{
    char digits[24];
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + size % 10);
        size /= 10;
    } while (size > 0);

    constexpr std::string_view kBefore = "分配 ";
    constexpr std::string_view kAfter = " 字节内存失败!";
    char detail[kBefore.size() + sizeof digits + kAfter.size()];
    std::size_t length = kBefore.copy(detail, kBefore.size());
    while (count > 0) {
        detail[length++] = digits[--count];
    }
    length += kAfter.copy(detail + length, kAfter.size());
    FatalError(std::string_view(detail, length));
}

void* AllocateOrNull(std::size_t size) { return std::malloc(size > 0 ? size : 1); }

void* Allocate(std::size_t size)
{
    void* memory = AllocateOrNull(size);
    if (memory == nullptr) {
        ReportAllocationFailure(size);
    }
    return memory;
}

// Over-aligned blocks come from malloc too, with the block's own address stored just before the
// aligned address handed out, so that release needs no system-specific aligned allocator.
void* AllocateAlignedOrNull(std::size_t size, std::align_val_t alignment)
{
    auto align = static_cast<std::size_t>(alignment);
    std::size_t extra = align + sizeof(void*);
    if (size > SIZE_MAX - extra) {
        return nullptr;
    }
    void* block = std::malloc(size + extra);
    if (block == nullptr) {
        return nullptr;
    }
    auto start = reinterpret_cast<std::uintptr_t>(block) + sizeof(void*);
    auto aligned = (start + align - 1) & ~(static_cast<std::uintptr_t>(align) - 1);
    reinterpret_cast<void**>(aligned)[-1] = block;
    return reinterpret_cast<void*>(aligned);
}

void* AllocateAligned(std::size_t size, std::align_val_t alignment)
{
    void* memory = AllocateAlignedOrNull(size, alignment);
    if (memory == nullptr) {
        ReportAllocationFailure(size);
    }
    return memory;
}

void ReleaseAligned(void* memory)
{
    if (memory != nullptr) {
        std::free(static_cast<void**>(memory)[-1]);
    }
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return AllocateOrNull(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return AllocateOrNull(size); }

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }

void* operator new(std::size_t size, std::align_val_t alignment) { return AllocateAligned(size, alignment); }
void* operator new[](std::size_t size, std::align_val_t alignment) { return AllocateAligned(size, alignment); }
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept
{
    return AllocateAlignedOrNull(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept
{
    return AllocateAlignedOrNull(size, alignment);
}

void operator delete(void* memory, std::align_val_t) noexcept { ReleaseAligned(memory); }
void operator delete[](void* memory, std::align_val_t) noexcept { ReleaseAligned(memory); }
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept { ReleaseAligned(memory); }
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept { ReleaseAligned(memory); }
void operator delete(void* memory, std::align_val_t, const std::nothrow_t&) noexcept { ReleaseAligned(memory); }
void operator delete[](void* memory, std::align_val_t, const std::nothrow_t&) noexcept { ReleaseAligned(memory); }
