[playlist]
NumberOfEntries=3
File1=a.mp3
