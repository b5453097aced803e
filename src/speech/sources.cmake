# Files of this subsystem are listed here as it is built.
