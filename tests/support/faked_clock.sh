# Shell helpers for tests that run a program on a faked clock. Source it; it
# needs Debian's faketime package.
#
# libfaketime is preloaded directly rather than through the faketime
# wrapper: the wrapper shares its clock through a semaphore named after its
# process id, and one left behind by a run that was killed makes a later run
# that happens to get the same id fail with "sem_open: File exists".
#
#   env LD_PRELOAD="$faketime_library" FAKETIME='@2026-12-07 10:00:00' program
#
# "@time" starts the clock there and lets it run; a time without "@" stands
# still.

faketime_library=
for candidate in /usr/lib/*/faketime/libfaketime.so.1 /usr/lib/faketime/libfaketime.so.1; do
    if [ -e "$candidate" ]; then
        faketime_library=$candidate
        break
    fi
done
if [ -z "$faketime_library" ]; then
    echo "libfaketime is not installed (Debian package faketime)" >&2
    return 1
fi
# libfaketime goes before a sanitizer's runtime; the sanitizer must allow it.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0
