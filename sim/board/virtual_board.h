// The virtual board: a directory tree that stands for the device's file system, knobs a
// person or a test turns while the application runs, and models of the device nodes.
#pragma once

#include <QString>

#include <memory>
#include <string>
#include <sys/types.h>

namespace vboard {

// Root of the board. Default: <directory of the executable>/board. Tests set their own
// before board::init().
void setRoot(const QString& root);
QString root();

// Creates the default tree under the root: power-supply files, camera-driver parameters,
// IR LED node, start-up script, knobs and the board's programs. Existing knobs and files
// keep their contents; the programs are always refreshed.
void createTree();

// Knobs: one plain-text file per value under <root>/control/.
QString knob(const QString& name, const QString& fallback = QString());
int knobInt(const QString& name, int fallback);
void setKnob(const QString& name, const QString& value);

// Where the board's programs and clock record what they were asked to do.
QString recordPath(const QString& name);

// A model of one device node. open() hands out a real descriptor (eventfd, memfd, ...)
// so that poll/select and mmap keep working; the other calls receive that descriptor.
class DeviceModel {
public:
    virtual ~DeviceModel() = default;
    virtual int open(int flags) = 0;
    virtual int close(int fd);
    virtual int ioctl(int fd, unsigned long request, void* arg);
    virtual ssize_t read(int fd, void* buf, size_t count);
    virtual ssize_t write(int fd, const void* buf, size_t count);
    virtual void* mmap(void* addr, size_t length, int prot, int flags, int fd, off_t offset);
};

// Registers the model that serves a board node such as "/dev/video0". Replaces an earlier
// model of the same node.
// The panel lit or blanked: the application's windows go dark while it is off.
void showPanel(bool on);

void registerModel(const std::string& boardNode, std::shared_ptr<DeviceModel> model);
void unregisterModel(const std::string& boardNode);
// Routes the calls on a descriptor that a model handed out itself (the share descriptor of
// an ION buffer) to that model, as those on the descriptors its node opens.
void adoptDescriptor(int fd, std::shared_ptr<DeviceModel> model);

// Board clock: seconds the application's clock stands ahead of the host's, in ms.
qint64 clockOffsetMs();
// The board clock back on the host's time, as after a reboot without network time.
void resetClock();

} // namespace vboard
