#pragma once

// Stand-in for UniformTypeIdentifiers (macOS 11 and later): the types of files.
#import <UniformTypeIdentifiers/UTType.h>
