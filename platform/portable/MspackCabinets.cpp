#include "platform/portable/MspackCabinets.h"

#include <mspack.h>

#include <algorithm>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace velmora::platform::portable {

namespace {

// Status of a file the engine could not write, as the system reports it.
constexpr std::uint32_t kCannotMake = 82; // ERROR_CANNOT_MAKE

// The names libmspack opens: the cabinet, read from memory, and the file
// being extracted, written to memory.
const char* const kOutputName = ":output:";

struct MemoryFile {
    std::string* bytes;
    std::size_t position = 0;
    bool writing;
};

// The library's file calls over two buffers: the cabinet's bytes and the
// bytes of the file being extracted.
struct MemorySystem {
    mspack_system calls{};
    const std::string* cabinet = nullptr;
    std::string output;
};

MemorySystem& owner(mspack_system* self) {
    return *reinterpret_cast<MemorySystem*>(self);
}

mspack_file* Open(mspack_system* self, const char* name, int mode) {
    MemorySystem& system = owner(self);
    if (mode == MSPACK_SYS_OPEN_READ && std::strcmp(name, kOutputName) != 0)
        return reinterpret_cast<mspack_file*>(
            new MemoryFile{const_cast<std::string*>(system.cabinet), 0, false});
    if (mode == MSPACK_SYS_OPEN_WRITE && std::strcmp(name, kOutputName) == 0) {
        system.output.clear();
        return reinterpret_cast<mspack_file*>(new MemoryFile{&system.output, 0, true});
    }
    return nullptr;
}

MemoryFile& file(mspack_file* handle) {
    return *reinterpret_cast<MemoryFile*>(handle);
}

void Close(mspack_file* handle) {
    delete &file(handle);
}

int Read(mspack_file* handle, void* buffer, int bytes) {
    MemoryFile& f = file(handle);
    if (bytes < 0 || f.writing)
        return -1;
    const std::size_t count = std::min<std::size_t>(
        static_cast<std::size_t>(bytes), f.bytes->size() - std::min(f.position, f.bytes->size()));
    std::memcpy(buffer, f.bytes->data() + f.position, count);
    f.position += count;
    return static_cast<int>(count);
}

int Write(mspack_file* handle, void* buffer, int bytes) {
    MemoryFile& f = file(handle);
    if (bytes < 0 || !f.writing)
        return -1;
    f.bytes->append(static_cast<const char*>(buffer), static_cast<std::size_t>(bytes));
    return bytes;
}

int Seek(mspack_file* handle, off_t offset, int mode) {
    MemoryFile& f = file(handle);
    const off_t base = mode == MSPACK_SYS_SEEK_START ? 0
                       : mode == MSPACK_SYS_SEEK_CUR ? static_cast<off_t>(f.position)
                                                     : static_cast<off_t>(f.bytes->size());
    const off_t target = base + offset;
    if (target < 0 || target > static_cast<off_t>(f.bytes->size()))
        return -1;
    f.position = static_cast<std::size_t>(target);
    return 0;
}

off_t Tell(mspack_file* handle) {
    return static_cast<off_t>(file(handle).position);
}

void Message(mspack_file*, const char*, ...) {}

void* Alloc(mspack_system*, size_t bytes) {
    return std::malloc(bytes);
}

void Free(void* block) {
    std::free(block);
}

void Copy(void* from, void* to, size_t bytes) {
    std::memmove(to, from, bytes);
}

struct Decompressor {
    explicit Decompressor(mspack_system* system) : get(mspack_create_cab_decompressor(system)) {}
    ~Decompressor() {
        if (get)
            mspack_destroy_cab_decompressor(get);
    }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
    mscab_decompressor* get;
};

std::uint16_t DosDate(const mscabd_file& f) {
    return static_cast<std::uint16_t>(((f.date_y - 1980) << 9) | (f.date_m << 5) | f.date_d);
}

std::uint16_t DosTime(const mscabd_file& f) {
    return static_cast<std::uint16_t>((f.time_h << 11) | (f.time_m << 5) | (f.time_s / 2));
}

} // namespace

bool MspackCabinets::iterate(const std::string& cabinetPath, CabinetVisitor& visitor) {
    const std::optional<std::string> bytes = files_.readFile(cabinetPath);
    if (!bytes)
        return false;
    MemorySystem system;
    system.calls = {Open, Close, Read, Write, Seek, Tell, Message, Alloc, Free, Copy, nullptr};
    system.cabinet = &*bytes;
    Decompressor cab(&system.calls);
    if (!cab.get)
        return false;
    mscabd_cabinet* opened = cab.get->open(cab.get, cabinetPath.c_str());
    if (!opened)
        return false;
    bool whole = true;
    for (mscabd_file* f = opened->files; f && whole; f = f->next) {
        CabinetFile entry;
        entry.name = f->filename;
        entry.size = f->length;
        entry.dosDate = DosDate(*f);
        entry.dosTime = DosTime(*f);
        entry.attributes = static_cast<std::uint16_t>(f->attribs);
        const std::string target = visitor.fileInCabinet(entry);
        if (target.empty())
            continue;
        // A file that cannot be decompressed ends the walk, as a damaged
        // cabinet ends the engine's.
        if (cab.get->extract(cab.get, f, kOutputName) != MSPACK_ERR_OK) {
            whole = false;
            break;
        }
        const bool written = files_.writeFile(target, system.output);
        visitor.fileExtracted(cabinetPath, target, written ? 0 : kCannotMake);
        whole = written;
    }
    cab.get->close(cab.get, opened);
    return whole;
}

bool MspackCabinets::prepareFolder(const std::string& folder, std::uintptr_t ownerWindow,
                                   bool askFirst) {
    (void)ownerWindow;
    (void)askFirst;
    // The name after the last backslash (none, for a folder that ends in
    // one) is not part of the folder, as with the shell's call.
    const auto last = folder.rfind('\\');
    if (last == std::string::npos)
        return false;
    const std::string path = folder.substr(0, last);
    // Each missing folder along the path, from the top down.
    for (std::size_t end = path.find('\\'); end != std::string::npos;
         end = path.find('\\', end + 1))
        if (end > 2)
            files_.createFolder(path.substr(0, end));
    files_.createFolder(path);
    const auto attributes = files_.attributes(path);
    return attributes && (*attributes & AttrDirectory);
}

CalendarTime MspackCabinets::dosDateTime(std::uint16_t dosDate, std::uint16_t dosTime) {
    CalendarTime t{1980 + (dosDate >> 9), (dosDate >> 5) & 15, dosDate & 31,
                   dosTime >> 11,         (dosTime >> 5) & 63, (dosTime & 31) * 2};
    // The system takes 29 February in every year, and a day past the end
    // of that month's February as the first of March.
    static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool valid = t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= kDays[t.month - 1] &&
                       t.hour <= 23 && t.minute <= 59 && t.second <= 59;
    const bool leap = t.year % 4 == 0 && (t.year % 100 != 0 || t.year % 400 == 0);
    if (valid && t.month == 2 && t.day == 29 && !leap) {
        t.month = 3;
        t.day = 1;
    }
    return valid ? t : CalendarTime{1601, 1, 1, 0, 0, 0};
}

} // namespace velmora::platform::portable
