// The programming image.
